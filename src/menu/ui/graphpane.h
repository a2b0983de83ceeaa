#pragma once

#include <QFrame>

#include <functional>
#include <vector>

#include "menu/resultlogs.h"
#include "menu/ui/graphsurface.h"

class QLabel;
class QListWidget;
class QPrinter;
class QPushButton;
struct AppState;
struct Platform;

// The results graph over the level menu: one band per chosen level for the
// shown student, on the screen or printed three to an A4 page.
class GraphPane final : public QFrame
{
    Q_OBJECT

public:
    // Reads every record of the results file in file order; false when the
    // program is ending after an error.
    using RecordReader = std::function<bool(std::vector<ResultLists::LogRecord> &)>;

    // Lets the teacher pick a printer or a PDF file, once for every chosen
    // student; false when cancelled.
    using PrinterChooser = std::function<bool(QPrinter &)>;

    GraphPane(AppState &state, Platform &platform, RecordReader readRecords, QWidget *parent = nullptr);
    void setPrinterChooser(PrinterChooser choose) { m_choosePrinter = std::move(choose); }

    // The first three levels of the logged-in student.
    void open();
    void fillLevelChooser();
    void fillRosterChooser();
    // The points ranking chosen in the menu decides the points rank.
    void setPointsKind(ResultLists::RankingKind kind) { m_pointsKind = kind; }
    void setGradeFilter(const QString &filter) { m_gradeFilter = filter; }
    qint32 shownStudent() const { return m_shownStudent; }

signals:
    void closed();

private:
    void showOnScreen();
    void print();
    std::vector<qint32> chosenStudents() const;
    bool prepareBands(std::vector<GraphSurface::ShownBand> &bands);
    // One print job; false when the printer or the file could not be opened.
    bool printBands(QPrinter &printer, const std::vector<GraphSurface::ShownBand> &bands);
    void showOtherStudents();

    AppState &m_state;
    Platform &m_platform;
    RecordReader m_readRecords;
    PrinterChooser m_choosePrinter;
    std::vector<ResultLists::LogRecord> m_records;
    qint32 m_shownStudent = 0;
    ResultLists::RankingKind m_pointsKind = ResultLists::RankingKind::TotalPoints;
    QString m_gradeFilter;
    GraphSurface *m_surface = nullptr;
    QLabel *m_levelCaption = nullptr;
    QListWidget *m_levelChooser = nullptr;
    QListWidget *m_rosterChooser = nullptr;
    QPushButton *m_showButton = nullptr;
    QPushButton *m_printButton = nullptr;
    QPushButton *m_otherStudentsButton = nullptr;
    QPushButton *m_backButton = nullptr;
};
