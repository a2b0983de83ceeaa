#pragma once

#include <QString>

#include "app/levelstandard.h"

// What RecordSession found out about the session, read by the result screen.
struct RecordFlags
{
    bool newPersonalBest = false;
    bool newClassBest = false;
    // The level was cleared (all-time count and points) before this session.
    bool levelAlreadyCleared = false;
};

// The decisions and texts of the result screen, apart from any widget.
namespace ResultRules {

enum class Announcement { None, ClassBest, PersonalBest, Pass };

// Which record message and cue a session earns.
Announcement announcement(const RecordFlags &flags, qint32 timeScore, qint32 minimumTime);
// The message shown for it (empty for none and for the pass cue).
QString announcementText(Announcement announcement);

QString resultLine(qint32 timeScore);
QString pointsLine(qint32 timeScore, int basePoints, float multiplier);
QString levelTodayText(int count);
QString allTodayText(int count);

// False when any level has a ClearCount of LevelStandard::NoClearCondition.
bool goalPanelAllowed(const LevelStandardTable &standards);

// "もう一度" is withheld only for a cleared, overused level other than the
// goal while the goal was not yet cleared when the session began.
bool offersRepeat(bool overused, bool cleared, bool isGoalLevel, bool goalClearedAtStart);

} // namespace ResultRules
