#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>
#include <QTest>

#include <memory>

#include "state/appstate.h"
#include "host/mainwindow.h"
#include "store/resultrecord.h"
#include "support/schoolfolder.h"
#include "support/testplatform.h"

// A copy of the demo school and the program's window on it, not yet shown.
struct SchoolWindow
{
    SchoolFolder school;
    TestPlatform test;
    AppState state;
    MainWindow host{state, test.platform, school.layout().programFolder};
};

// A demo school with its settings loaded and one student logged in, ready
// to start a drill or show a result.
struct SessionFixture
{
    static constexpr qint16 Student = 7;

    SessionFixture();
    // Rewrites the level table (header added) and reloads the settings.
    void setLevelTable(const QStringList &rows);
    // Replaces the results file with these records and recomputes the tallies.
    void setResults(const QList<ResultRecord> &records);
    QString resultsPath() const;
    QString statisticsPath() const;
    QList<ResultRecord> results() const;
    // File names (without folder) the sound player was asked to play.
    QStringList playedNames() const;
    void loadSettings();
    void refreshTallies();

    SchoolFolder school;
    TestPlatform test;
    AppState state;
    std::unique_ptr<MainWindow> host;
};

// The host's screen once it is a T; null if it does not become one soon.
template <typename T>
T *awaitScreen(const MainWindow &host)
{
    const auto shown = [&host] { return qobject_cast<T *>(host.currentScreen()); };
    return QTest::qWaitFor([&] { return shown() != nullptr; }) ? shown() : nullptr;
}

class DrillScreen;

// The answer of the problem on the drill screen, read as a student reads it.
int answerOnScreen(const DrillScreen &drill);
