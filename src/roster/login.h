#pragma once

#include <QtGlobal>

class Clock;
struct AppState;

// Makes roster entry `student` the logged-in student: the name and grade as
// the roster has them, and the login time both as the seconds since
// midnight the results file keeps and as the clock's tick, from which the
// minutes since login count on past midnight.
void logInStudent(AppState &state, const Clock &clock, qint16 student);
