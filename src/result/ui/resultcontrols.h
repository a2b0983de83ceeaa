#pragma once

// The objectNames of the result screen's controls, shared with its tests.
namespace ResultControls {

inline constexpr auto Screen = "FrmSyuuryou";
inline constexpr auto Panel = "Picture4";
inline constexpr auto ContentTitle = "Label15";
inline constexpr auto StudentName = "Label17";
inline constexpr auto LevelName = "Label16";
inline constexpr auto ResultTime = "Label18";
inline constexpr auto PointsLine = "Label19";
inline constexpr auto LevelTodayCount = "Label13";
inline constexpr auto AllTodayCount = "Label14";
inline constexpr auto Announcement = "Label20";
inline constexpr auto NextLevelHint = "Label2";
inline constexpr auto GoalPanel = "Picture1";
inline constexpr auto GoalText = "Label1";
inline constexpr auto MenuButton = "Command4";
inline constexpr auto RepeatButton = "Command5";
inline constexpr auto ButtonsDelay = "Timer1";
inline constexpr auto MissedCaption = "LabelMissed";
inline constexpr auto MissedProblems = "ListMissed";

} // namespace ResultControls
