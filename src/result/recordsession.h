#pragma once

struct AppState;
struct Platform;
struct SessionOutcome;

// Compares the session's result time (of StudentNumber at its level) with the
// best times, appends it to the results file and sets the outcome's record
// flags. False when the program is ending after a file error; the caller
// then returns at once.
bool RecordSession(AppState &state, Platform &platform, SessionOutcome &outcome);
