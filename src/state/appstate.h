#pragma once

#include <QDate>
#include <QString>

#include <array>
#include <vector>

#include "app/calendartext.h"
#include "app/levelstandard.h"
#include "roster/rostertable.h"
#include "sound/soundcues.h"

#include "app/limits.h"
#include "store/resulttables.h"

// The LevelKind of a level drilled against the clock, the only kind there is.
inline constexpr qint16 TimedLevelKind = 1;

// The one process-wide state of the program. main() owns it; every screen
// gets it by reference. Folder texts end with "/".
struct AppState
{
    // Folder layout.
    QString ProgramFolder;
    QString ProgramFolderName;
    QString BasePath;
    QString DataFolder;
    QString SoundFolder;
    QString RosterFolder;

    // Common settings ("共通データ.txt").
    int SchoolYearStartMonth = 0;
    QString SiteTitle;
    QString SiteCode;
    int RosterStatusSwitch = 0;
    QString KeyPassLocation;
    // All ten values as read, so the teacher panel can write the file back whole.
    std::array<QString, 10> commonDataValues;

    QString ContentTitle;

    // Current student and level.
    QString StudentName;
    QString StudentGrade;
    qint16 StudentNumber = 0;
    qint32 LoginTime = 0;
    // The clock's tick count at the same moment: the minutes since login are
    // counted from it, so they keep counting up past midnight.
    qint64 loginTick = 0;
    // The day a failed backup of the results file was last reported, so that
    // a failure is told once, not at every session.
    QDate backupFailureToldOn;
    // The grade filter chosen on the name screen; the level menu starts with it.
    QString initialGradeFilter;
    // The level of the drill last started; set by the host alone.
    qint16 CurrentLevel = 0;

    // Level catalogue.
    qint16 LevelCount = 0;
    int GoalLevel = 0;
    std::array<QString, LevelRowCount> LevelNames;
    std::array<qint16, LevelRowCount> LevelKind{};
    LevelStandardTable LevelStandards;

    // GoalLevel was cleared when the level menu last opened; the result
    // screen's offer to repeat depends on it across repeated sessions.
    bool goalClearedAtStart = false;

    RgbColour SeasonColour;

    // The roster as last read; every screen that reads the file rebuilds it.
    RosterTable roster;

    SoundCueTable SoundCues;
    // Failed answer sounds since start; never reset.
    qint16 SoundErrorCount = 0;

    // Derived from the results file; rebuilt by LoadResults / ComputeTallies.
    LoadedResults ResultTable;
    BestTimeTable PersonalBest;
    ClassBestTimes ClassBest{};
    TallyTables ResultTallies;
};
