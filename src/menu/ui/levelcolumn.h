#pragma once

#include <QFrame>
#include <QStringList>

#include "drill/drillproblem.h"

class FactMapView;
class QLabel;
class QListWidget;
class QPushButton;
struct LevelStandard;
struct TallyCell;

// One level's column of the menu: number and name, the start button with
// its overuse notice, the student's counts, the result list and the
// standard's summaries at the foot.
class LevelColumn final : public QFrame
{
    Q_OBJECT

public:
    LevelColumn(int level, const QString &levelName, int width, QWidget *parent);

    int level() const { return m_level; }
    bool startEnabled() const;
    void setStartFocus();
    // Said after the start button's name, as a screen reader reaches it.
    void describeStart(const QString &description);

    void showStandard(const LevelStandard &standard, const TallyCell &cell);
    // Ready for the student: counts shown, summaries on grey, start enabled.
    void open(const TallyCell &cell);
    // Covers the start button for the mouse; the level's key still works.
    void setOveruseNotice(bool shown);

    void setResultFont(const QFont &font);
    void setResultsShown(bool shown);
    void setResultsDescription(const QString &text);
    // Empties the list and puts the count captions back.
    void clearResults();
    void addResults(const QStringList &lines, const QStringList &spoken);
    // A new list with `topLine` scrolled to the top when it is one of the lines.
    void showResults(const QStringList &lines, const QStringList &spoken, int topLine);
    void clearHighlight();
    // The level's facts as a map under a shorter result list, or the whole
    // list again.
    void showFacts(const DrillProblemTable &problems, qint32 targetTime);
    void hideFacts();

    // The list takes what the summaries leave of `height`.
    void fitHeight(int height);
    void fitToSummaries();

signals:
    void startRequested(int level);
    void nameClicked(int level);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void buildControls(const QString &levelName);
    void placeControls();
    void placeFacts();

    int m_level = 0;
    int m_width = 0;
    QLabel *m_number = nullptr;
    QLabel *m_name = nullptr;
    QPushButton *m_startButton = nullptr;
    QLabel *m_overuseNotice = nullptr;
    QLabel *m_todayCaption = nullptr;
    QLabel *m_todayCounts = nullptr;
    QLabel *m_totalCaption = nullptr;
    QLabel *m_totalCounts = nullptr;
    QListWidget *m_results = nullptr;
    // What the list shows, said after its current line.
    QString m_resultsCaption;
    FactMapView *m_facts = nullptr;
    bool m_factsWanted = false;
    int m_resultsHeight = 0;
    QLabel *m_periodSummary = nullptr;
    QLabel *m_targetSummary = nullptr;
};
