#pragma once

// The objectNames of the level standard editor's controls, its grid's and
// its distribution panel's, shared with its tests.
namespace StandardEditorControls {

inline constexpr auto Screen = "FrmTimeData";
inline constexpr auto Greeting = "Label2";
inline constexpr auto EditPanel = "Picture1";
inline constexpr auto Heading = "Label5";
inline constexpr auto KeyHelp = "Label1";
inline constexpr auto ColumnHelpCaption = "Label6";
inline constexpr auto ColumnHelp = "Label3";
inline constexpr auto ReloadButton = "Command2";
inline constexpr auto SaveButton = "Command3";
inline constexpr auto BackButton = "Command4";
inline constexpr auto WaitCover = "Picture6";

inline constexpr auto Grid = "MSFlexGrid1";
inline constexpr auto CellEditor = "Gridinputtext";
inline constexpr auto CellSpoken = "LabelCellSpoken";

inline constexpr auto Distribution = "Picture3";
inline constexpr auto DistributionTitle = "Label7";
inline constexpr auto AllCaption = "Label9";
inline constexpr auto BestCaption = "Label10";
inline constexpr auto AllResults = "List3";
inline constexpr auto BestTimes = "List4";

} // namespace StandardEditorControls
