#pragma once

// The objectNames of the name screen's controls, shared with its tests.
namespace NameControls {

inline constexpr auto Screen = "namesel";
inline constexpr auto Panel = "Picture12";
inline constexpr auto Title = "Label4";
inline constexpr auto GradeFilter = "Combo1";
inline constexpr auto GradeCaption = "LabelGrade";
inline constexpr auto ModeOptions = "Option1";
inline constexpr auto NameList = "List1";
inline constexpr auto ChosenName = "Label1";
inline constexpr auto ConfirmButton = "Command14";
inline constexpr auto SiblingButton = "Command7";
inline constexpr auto Page = "WebBrowser2";
inline constexpr auto WaitCover = "Picture5";

} // namespace NameControls
