#pragma once

// The objectNames of the host window's own controls, shared with its tests.
namespace HostControls {

inline constexpr auto Window = "MainWindow";
inline constexpr auto Screens = "Screens";
inline constexpr auto OtherCopyNotice = "OtherCopyNotice";

} // namespace HostControls
