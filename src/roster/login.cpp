#include "roster/login.h"

#include "app/textnumber.h"
#include "platform/clock.h"
#include "state/appstate.h"

void logInStudent(AppState &state, const Clock &clock, qint16 student)
{
    state.LoginTime = static_cast<qint32>(TextNumber::roundHalfEven(clock.secondsSinceMidnight()));
    state.loginTick = clock.tickCount();
    state.StudentNumber = student;
    state.StudentName = state.roster.name(student);
    state.StudentGrade = state.roster.gradeName(student);
}
