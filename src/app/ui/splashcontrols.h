#pragma once

// The objectNames of the splash screen's controls, shared with its tests.
namespace SplashControls {

inline constexpr auto Screen = "Firstfrm";
inline constexpr auto Panel = "Picture1";
inline constexpr auto ProductName = "Label1";
inline constexpr auto Date = "Label2";
inline constexpr auto Pause = "Timer1";

} // namespace SplashControls
