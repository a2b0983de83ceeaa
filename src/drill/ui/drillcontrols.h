#pragma once

// The objectNames of the drill screen's controls, those of its parts
// included, shared with its tests.
namespace DrillControls {

inline constexpr auto Screen = "MainFrm";
inline constexpr auto SessionTimer = "Timer1";
inline constexpr auto MinutesTimer = "Timer2";

// DrillHeader
inline constexpr auto Title = "LabelTitle";
inline constexpr auto Student = "LabelStudent";
inline constexpr auto Site = "LabelSite";

// StatusLine
inline constexpr auto StatusLine = "PictureStatus";
inline constexpr auto StatusNotice = "LabelStatusNotice";
inline constexpr auto Level = "LabelLevel";
inline constexpr auto Remaining = "LabelRemaining";
inline constexpr auto Time = "LabelTime";
inline constexpr auto LevelCount = "LabelLevelCount";
inline constexpr auto Today = "LabelToday";
inline constexpr auto Minutes = "LabelMinutes";

inline constexpr auto TimeBar = "TimeBar";

// ProblemArea
inline constexpr auto ProblemArea = "PictureProblem";
inline constexpr auto First = "LabelFirst";
inline constexpr auto Operator = "LabelOperator";
inline constexpr auto Second = "LabelSecond";
inline constexpr auto Equals = "LabelEquals";
inline constexpr auto Answer = "LabelAnswer";
inline constexpr auto Spoken = "LabelSpoken";
inline constexpr auto JudgeKeyHelp = "LabelHelpJudge";
inline constexpr auto ClearKeyHelp = "LabelHelpClear";
inline constexpr auto RedEquals = "LabelRedEquals";
inline constexpr auto CorrectAnswer = "LabelCorrect";
inline constexpr auto Prompt = "LabelPrompt";
inline constexpr auto Blocks = "Block";
inline constexpr auto Tries = "LabelTries";
inline constexpr auto Mistakes = "LabelMistakes";
inline constexpr auto Average = "LabelAverage";

// StartPanel
inline constexpr auto StartPanel = "PictureStart";
inline constexpr auto TimeList = "ListTime";
inline constexpr auto RateList = "ListRate";
inline constexpr auto MarksLegend = "LabelLegend";
inline constexpr auto Encouragement = "LabelCheck";
inline constexpr auto WhyDrill = "LabelWhy";
inline constexpr auto StartButton = "CommandStart";
inline constexpr auto BackButton = "CommandBack";

// EndOverlay
inline constexpr auto EndOverlay = "PictureEnd";
inline constexpr auto Recording = "LabelRecording";
inline constexpr auto TimeUp = "LabelTimeUp";

} // namespace DrillControls
