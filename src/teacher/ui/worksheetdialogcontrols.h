#pragma once

// The objectNames of the worksheet dialog's controls, shared with its tests.
namespace WorksheetDialogControls {

inline constexpr auto Dialog = "WorksheetDialog";
inline constexpr auto LevelChooser = "levelChooser";
inline constexpr auto HundredSquaresOption = "hundredSquaresOption";
inline constexpr auto NumberedOption = "numberedOption";
inline constexpr auto SheetCount = "sheetCount";
inline constexpr auto AnswerSheets = "answerSheets";
inline constexpr auto SeedBox = "seedBox";
inline constexpr auto WeakSheets = "weakSheets";
inline constexpr auto StudentChooser = "studentChooser";
inline constexpr auto RosterNotice = "rosterNotice";
inline constexpr auto Summary = "summary";
inline constexpr auto PreviewButton = "previewButton";
inline constexpr auto PrintButton = "printButton";
inline constexpr auto CloseButton = "closeButton";
inline constexpr auto Preview = "worksheetPreview";

} // namespace WorksheetDialogControls
