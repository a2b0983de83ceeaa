#pragma once

struct AppState;

// The current student's sessions recorded today, from the tallies as last
// computed: for one level, and summed over levels 1..lastLevel. 0 outside
// the tables.
int levelTodayCount(const AppState &state, int level);
int todayCountSum(const AppState &state, int lastLevel);
