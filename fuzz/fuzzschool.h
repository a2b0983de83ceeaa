#pragma once

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>

#include <cstddef>
#include <cstdint>

#include "state/appstate.h"
#include "demo/demoschool.h"
#include "support/testplatform.h"

// The demo school laid out once per process in a temporary folder, with its
// settings loaded into one AppState and the test doubles for everything
// outside the program. A target overwrites the one file it fuzzes and calls
// the program's own reader on it; the rest of the school stays as the demo
// made it, so every reader finds what it expects around that file.
class FuzzSchool final
{
public:
    // The one school of the process, made on first use.
    static FuzzSchool &instance();

    const DemoSchool::Layout &layout() const { return m_layout; }
    AppState &state() { return m_state; }
    TestPlatform &doubles() { return m_doubles; }
    Platform &platform() { return m_doubles.platform; }

    // Replaces the file at `path` with the fuzz input.
    static void write(const QString &path, const std::uint8_t *data, std::size_t size);
    static void write(const QString &path, const QByteArray &bytes);

    // Forgets what the doubles recorded in the last run and undoes an ended
    // program, so nothing grows from run to run.
    void forgetRun();

    // The results file and the statistics file of one student of the school.
    QString resultsPath() const;
    QString statisticsPath(int student) const;

private:
    FuzzSchool();

    QTemporaryDir m_dir;
    DemoSchool::Layout m_layout;
    AppState m_state;
    TestPlatform m_doubles;
};
