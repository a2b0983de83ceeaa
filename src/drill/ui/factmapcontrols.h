#pragma once

// The objectNames of the controls of a fact map, which the drill's start
// panel and the level menu both show; shared with their tests.
namespace FactMapControls {

inline constexpr auto Map = "FactMap";
inline constexpr auto Legend = "LabelFactLegend";

} // namespace FactMapControls
