#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

#include <memory>

#include "state/appstate.h"
#include "host/mainwindow.h"
#include "store/resultrecord.h"
#include "support/schoolfolder.h"
#include "support/testplatform.h"

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

class DrillScreen;

// The answer of the problem on the drill screen, read as a student reads it.
int answerOnScreen(const DrillScreen &drill);
