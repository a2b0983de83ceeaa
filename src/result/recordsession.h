#pragma once

struct AppState;
struct Platform;

// Compares the session (ResultTime of StudentNumber) with the best times,
// appends it to the results file and sets the record flags. False when the
// program is ending after a file error; the caller then returns at once.
bool RecordSession(AppState &state, Platform &platform, int level);
