#pragma once

#include <QtGlobal>

// Why a drill session ended.
enum class SessionEnd : qint16 {
    Finished, // every problem was answered right
    TimedOut, // the time limit ran out
};
