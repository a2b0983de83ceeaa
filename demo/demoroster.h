#pragma once

#include <QString>
#include <QStringList>

// The demo school's roster: two students in every grade from the first
// pre-school year to the last high-school year, plus the teacher's entry.
namespace DemoRoster {

// Student numbers of the demo's students are 1..StudentCount.
inline constexpr int StudentCount = 30;
// Above 1000, so the teacher's trial runs never become the class best.
inline constexpr int TeacherNumber = 5000;

// One line of "新名簿.txt" as a roster program writes it.
QString entryLine(int number, int cohort, int seat, const QString &name, int status, const QString &reading);
// The teacher's entry "監督", which opens the teacher tools.
QString teacherLine();

// The demo's lines of "新名簿.txt".
QStringList lines();

} // namespace DemoRoster
