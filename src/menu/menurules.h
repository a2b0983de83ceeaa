#pragma once

#include <optional>
#include <vector>

struct AppState;

// The level menu's decisions for the logged-in student, apart from any widget.
namespace MenuRules {

// The roster's teacher entry is the one that may open the data tools.
bool isTeacher(const AppState &state);

// The student may go on past `level` when the next level asks for no clear
// points (9999), the student is the teacher or the level is cleared.
bool maySkipPast(const AppState &state, int level);

struct OveruseNotices
{
    // GoalLevel is cleared: no level then shows its notice.
    bool goalCleared = false;
    // Per level 1..levelCount at index level - 1: shown, hidden, or left as
    // the level's own column has it.
    std::vector<std::optional<bool>> shown;
};
// A level the student may pass on from shows its notice while it is
// overused, unless the goal level was already cleared; the next level's
// notice goes.
OveruseNotices overuseNotices(const AppState &state, int levelCount);

} // namespace MenuRules
