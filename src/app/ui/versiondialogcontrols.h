#pragma once

// The objectNames of the version dialog's controls, shared with its tests.
namespace VersionDialogControls {

inline constexpr auto Dialog = "frmver";
inline constexpr auto Title = "Label1";
inline constexpr auto Version = "Label2";
inline constexpr auto OkButton = "Command1";

} // namespace VersionDialogControls
