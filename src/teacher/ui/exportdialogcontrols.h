#pragma once

// The objectNames of the export dialog's controls, shared with its tests.
namespace ExportDialogControls {

inline constexpr auto Dialog = "ExportDialog";
inline constexpr auto Intro = "introLabel";
inline constexpr auto WorkbookChoice = "workbookChoice";
inline constexpr auto CsvChoice = "csvChoice";
inline constexpr auto ResultsChoice = "resultsChoice";
inline constexpr auto SummaryChoice = "summaryChoice";
inline constexpr auto FactsChoice = "factsChoice";
inline constexpr auto StudentCaption = "studentCaption";
inline constexpr auto StudentList = "studentList";
inline constexpr auto Utf8Choice = "utf8Choice";
inline constexpr auto Cp932Choice = "cp932Choice";
inline constexpr auto EncodingHint = "encodingHint";
inline constexpr auto ExportButton = "exportButton";
inline constexpr auto CloseButton = "closeButton";

} // namespace ExportDialogControls
