#pragma once

// The objectNames of the level menu's controls and of its parts' controls,
// shared with its tests. A part's own frame is named after its class.
namespace MenuControls {

inline constexpr auto Screen = "seisekitime1";
inline constexpr auto Page = "WebBrowser2";
inline constexpr auto ColumnScroll = "HScroll1";

inline constexpr auto MenuHeader = "MenuHeader";
inline constexpr auto Title = "Label11";
inline constexpr auto Student = "Label12";
inline constexpr auto Site = "Label13";
inline constexpr auto Minutes = "Label17";
inline constexpr auto TodayTotal = "Label18";
inline constexpr auto BackButton = "Command1";
inline constexpr auto DataButton = "Command8";

// Arrays with one element per level, from 1.
inline constexpr auto LevelColumn = "Picture15";
inline constexpr auto Number = "Label1";
inline constexpr auto Name = "Label3";
inline constexpr auto StartButton = "Command4";
inline constexpr auto OveruseNotice = "Text1";
inline constexpr auto TodayCaption = "Label9";
inline constexpr auto TodayCounts = "Label14";
inline constexpr auto TotalCaption = "Label10";
inline constexpr auto TotalCounts = "Label15";
inline constexpr auto Results = "List5";
inline constexpr auto PeriodSummary = "Label8";
inline constexpr auto TargetSummary = "Label7";
inline constexpr auto Facts = "FactMap";

inline constexpr auto ViewPanel = "Picture1";
// Arrays: the views from 0, the lists from 1.
inline constexpr auto ViewButtons = "Option2";
inline constexpr auto ListButtons = "Option1";
inline constexpr auto GradeFilter = "Combo1";
inline constexpr auto PeriodChoice = "Combo2";
inline constexpr auto GradeCaption = "LabelGrade";
inline constexpr auto ListTitle = "Label5";
inline constexpr auto GraphButton = "Command17";

inline constexpr auto WaitCover = "Picture2";
inline constexpr auto WaitText = "Picture2Text";
inline constexpr auto Progress = "ProgressBar2";

inline constexpr auto TeacherPanel = "Picture7";
inline constexpr auto LocationCaption = "Label22";
inline constexpr auto Location = "Text2";
inline constexpr auto ResultsButton = "Command10_0";
inline constexpr auto StandardsButton = "Command10_1";
inline constexpr auto WorksheetsButton = "WorksheetsButton";
inline constexpr auto ExportButton = "ExportButton";
inline constexpr auto TeacherBackButton = "Command12";

inline constexpr auto GraphPane = "Picture11";
inline constexpr auto GraphSurface = "Picture12";
inline constexpr auto LevelCaption = "Label27";
inline constexpr auto LevelChooser = "List3";
inline constexpr auto RosterChooser = "List2";
inline constexpr auto ShowButton = "Command24_0";
inline constexpr auto PrintButton = "Command24_1";
inline constexpr auto OtherStudentsButton = "Command25";
inline constexpr auto GraphBackButton = "Command18";

} // namespace MenuControls
