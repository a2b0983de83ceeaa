#pragma once

#include <QtGlobal>

#include <vector>

#include "result/resultrules.h"

// Why a drill session ended.
enum class SessionEnd : qint16 {
    Finished, // every problem was answered right
    TimedOut, // the time limit ran out
};

// What a drill session hands to the result screen: its level, how it ended,
// the time recorded and what the recording found.
struct SessionOutcome
{
    int level = 0;
    qint32 elapsedSeconds = 0;
    SessionEnd end = SessionEnd::Finished;
    // The time score stored in the results file: the elapsed seconds, or
    // the time-out score.
    qint32 resultTime = 0;
    // Codes of the problems answered wrong, first miss first.
    std::vector<int> missedCodes;
    RecordFlags recordFlags;
};
