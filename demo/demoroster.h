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

// The lines of "新名簿.txt", as a roster program writes them.
QStringList lines();

// Writes basePath & "新名簿.txt" unless it exists.
bool create(const QString &basePath, QString *error);

} // namespace DemoRoster
