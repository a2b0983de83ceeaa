#pragma once

// The objectNames of the results manager's controls and its record edit
// panel's, shared with its tests.
namespace ResultsManagerControls {

inline constexpr auto Screen = "FrmData";
inline constexpr auto Hint = "Label5";
inline constexpr auto List = "List1";
inline constexpr auto BackButton = "Command4";

inline constexpr auto Panel = "Picture3";
inline constexpr auto RecordNumber = "Label1";
inline constexpr auto Level = "Label2_1";
inline constexpr auto Date = "Label2_2";
inline constexpr auto Grade = "Label2_4";
inline constexpr auto Seconds = "Label2_0";
inline constexpr auto Student = "Combo1";
inline constexpr auto Time = "Text1_1";
inline constexpr auto TimeSpin = "VScroll1";
inline constexpr auto ChangeButton = "Command2";
inline constexpr auto DeleteButton = "Command3";
inline constexpr auto CancelButton = "Command6";

} // namespace ResultsManagerControls
