#pragma once

// The objectNames of the wait screen's controls, shared with its tests.
namespace WaitControls {

inline constexpr auto Screen = "BASEFRM";
inline constexpr auto Panel = "Picture1";
inline constexpr auto Message = "Label1";

} // namespace WaitControls
