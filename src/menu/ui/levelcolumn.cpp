#include "menu/ui/levelcolumn.h"

#include <algorithm>

#include <QLabel>
#include <QListWidget>
#include <QMouseEvent>
#include <QPushButton>

#include "app/spokentext.h"
#include "app/ui/spokenlist.h"
#include "drill/ui/factmapview.h"
#include "menu/menutexts.h"
#include "menu/ui/menucontrols.h"
#include "menu/ui/menuwidgets.h"

using namespace MenuWidgets;

namespace {

constexpr int TitleHeight = 34;
constexpr int StartHeight = 40;
constexpr int LineHeight = 24;

QLabel *centredLabel(QWidget *parent, const char *control, int level, const QString &style)
{
    auto *label = named(new QLabel(parent), arrayName(control, level));
    label->setAlignment(Qt::AlignCenter);
    label->setStyleSheet(style);
    return label;
}

} // namespace

LevelColumn::LevelColumn(int level, const QString &levelName, int width, QWidget *parent)
    : QFrame(parent)
    , m_level(level)
    , m_width(width)
{
    named(this, arrayName(MenuControls::LevelColumn, level));
    buildControls(levelName);
    placeControls();
    m_name->installEventFilter(this);
    connect(m_startButton, &QPushButton::clicked, this, [this] { emit startRequested(m_level); });
    connect(m_results, &QListWidget::currentRowChanged, this,
            [this] { SpokenList::describeCurrentLine(m_results, m_resultsCaption); });
}

// Created in this order so that the notice lies above the start button.
void LevelColumn::buildControls(const QString &levelName)
{
    const QString countStyle = QStringLiteral("background: rgb(255, 255, 200); color: black;");
    const QString figureStyle = QStringLiteral("background: white; color: black;");
    const QString summaryStyle = QStringLiteral("color: black;");
    m_number = centredLabel(this, MenuControls::Number, m_level,
                            QStringLiteral("background: rgb(64, 64, 160); color: white;"));
    m_name = centredLabel(this, MenuControls::Name, m_level,
                          QStringLiteral("background: white; color: black; border: 1px solid gray;"));
    m_startButton = named(new QPushButton(this), arrayName(MenuControls::StartButton, m_level));
    m_overuseNotice = centredLabel(
        this, MenuControls::OveruseNotice, m_level,
        QStringLiteral("background: rgb(255, 230, 230); color: rgb(200, 0, 0); border: 2px solid rgb(200, 0, 0);"));
    m_todayCaption = centredLabel(this, MenuControls::TodayCaption, m_level, countStyle);
    m_todayCounts = centredLabel(this, MenuControls::TodayCounts, m_level, figureStyle);
    m_totalCaption = centredLabel(this, MenuControls::TotalCaption, m_level, countStyle);
    m_totalCounts = centredLabel(this, MenuControls::TotalCounts, m_level, figureStyle);
    m_results = named(new QListWidget(this), arrayName(MenuControls::Results, m_level));
    m_periodSummary = centredLabel(this, MenuControls::PeriodSummary, m_level, summaryStyle);
    m_targetSummary = centredLabel(this, MenuControls::TargetSummary, m_level, summaryStyle);

    m_number->setFont(pixelFont(font(), 20, true));
    m_name->setFont(pixelFont(font(), 20, true));
    m_startButton->setFont(pixelFont(font(), 18, true));
    m_overuseNotice->setFont(pixelFont(font(), 18, true));
    const QFont small = fitted(font(), QStringLiteral("目標=9999秒 99回/9999点(×1.25)"), m_width - 6, 15);
    for (QLabel *label :
         {m_targetSummary, m_periodSummary, m_todayCaption, m_todayCounts, m_totalCaption, m_totalCounts})
        label->setFont(small);

    // Tab reaches the list and the arrows walk its lines; a click leaves the
    // focus where it was.
    m_results->setFocusPolicy(Qt::TabFocus);
    // Every line is one row of the same font: measuring one is enough.
    m_results->setUniformItemSizes(true);
    m_results->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_results->setAccessibleName(QStringLiteral("レベル%1 %2の成績").arg(m_level).arg(levelName));

    m_number->setText(QString::number(m_level));
    m_name->setText(levelName);
    m_name->setToolTip(levelName);
    m_name->setCursor(Qt::PointingHandCursor);
    m_startButton->setText(MenuTexts::startCaption(m_level));
    m_startButton->setAccessibleName(SpokenText::join({MenuTexts::startCaption(m_level).remove(u'&'), levelName}));
    m_overuseNotice->hide();
}

// Each under the previous one; the number takes a fifth of the width, the
// counts half each. The standard's summaries close the column.
void LevelColumn::placeControls()
{
    const int w = m_width;
    int y = 0;
    m_number->setGeometry(0, y, w / 5, TitleHeight);
    m_name->setGeometry(w / 5, y, w - w / 5, TitleHeight);
    y += TitleHeight + 2;
    m_startButton->setGeometry(0, y, w, StartHeight);
    m_overuseNotice->setGeometry(0, y, w, StartHeight);
    y += StartHeight + 2;
    m_todayCaption->setGeometry(0, y, w / 2, LineHeight);
    m_todayCounts->setGeometry(w / 2, y, w / 2, LineHeight);
    y += LineHeight;
    m_totalCaption->setGeometry(0, y, w / 2, LineHeight);
    m_totalCounts->setGeometry(w / 2, y, w / 2, LineHeight);
    y += LineHeight + 2;
    m_results->setGeometry(0, y, w, 200);
    m_periodSummary->resize(w, LineHeight);
    m_targetSummary->resize(w, LineHeight);
}

bool LevelColumn::startEnabled() const
{
    return m_startButton->isEnabled();
}

void LevelColumn::setStartFocus()
{
    m_startButton->setFocus();
}

void LevelColumn::describeStart(const QString &description)
{
    m_startButton->setAccessibleDescription(description);
}

void LevelColumn::showStandard(const LevelStandard &standard, const TallyCell &cell)
{
    m_periodSummary->setText(MenuTexts::periodSummary(standard, cell));
    m_targetSummary->setText(MenuTexts::targetSummary(standard));
}

void LevelColumn::open(const TallyCell &cell)
{
    for (QLabel *label : {m_targetSummary, m_periodSummary})
        label->setStyleSheet(QStringLiteral("background: rgb(224, 224, 224); color: black;"));
    m_results->show();
    m_startButton->setEnabled(true);
    m_totalCounts->setText(MenuTexts::totalCounts(cell));
    m_todayCounts->setText(MenuTexts::todayCounts(cell));
}

void LevelColumn::setOveruseNotice(bool shown)
{
    if (!shown) {
        m_overuseNotice->hide();
        return;
    }
    m_overuseNotice->setText(MenuTexts::overuseNotice());
    m_overuseNotice->raise();
    m_overuseNotice->show();
}

void LevelColumn::setResultFont(const QFont &font)
{
    m_results->setFont(font);
}

void LevelColumn::setResultsShown(bool shown)
{
    m_results->setVisible(shown);
}

void LevelColumn::setResultsDescription(const QString &text)
{
    m_resultsCaption = text;
    SpokenList::describeCurrentLine(m_results, text);
}

void LevelColumn::clearResults()
{
    m_todayCaption->setText(QStringLiteral("今日"));
    m_totalCaption->setText(QStringLiteral("今まで"));
    m_results->clear();
}

void LevelColumn::addResults(const QStringList &lines, const QStringList &spoken)
{
    SpokenList::addLines(m_results, lines, spoken);
}

void LevelColumn::showResults(const QStringList &lines, const QStringList &spoken, int topLine)
{
    clearResults();
    addResults(lines, spoken);
    // Scrolled only: a current line would tell a reader the focus is here.
    if (topLine >= 0 && topLine < m_results->count())
        m_results->scrollToItem(m_results->item(topLine), QAbstractItemView::PositionAtTop);
    clearHighlight();
}

// The list shows no line as chosen; scrolling stays where it is.
void LevelColumn::clearHighlight()
{
    if (m_results->count() == 0)
        return;
    m_results->setCurrentRow(-1);
    m_results->clearSelection();
}

void LevelColumn::fitHeight(int height)
{
    const int listHeight = height - m_results->y() - m_periodSummary->height() - m_targetSummary->height() - 4;
    m_resultsHeight = std::max(60, listHeight);
    m_results->resize(m_width - 2, m_resultsHeight);
    if (m_factsWanted)
        placeFacts();
    m_periodSummary->move(0, m_results->y() + m_resultsHeight + 2);
    m_targetSummary->move(0, m_periodSummary->geometry().bottom() + 1);
    fitToSummaries();
}

void LevelColumn::showFacts(const DrillProblemTable &problems, qint32 targetTime)
{
    if (!m_facts) {
        m_facts = new FactMapView(this);
        named(m_facts, arrayName(MenuControls::Facts, m_level));
        // The menu's keys are shortcuts, so arrow keys may walk the map.
        m_facts->setFocusable(true);
    }
    m_facts->showFacts(m_level, problems, targetTime);
    m_factsWanted = true;
    placeFacts();
}

// The list keeps a third of its height; the map takes the rest. A column too
// short for a readable map keeps the whole list: the start panel shows the map.
void LevelColumn::placeFacts()
{
    const int listHeight = std::max(40, m_resultsHeight / 3);
    const int mapHeight = m_resultsHeight - listHeight - 2;
    if (mapHeight < m_facts->readableHeight(m_width - 2)) {
        m_facts->hide();
        m_results->resize(m_width - 2, m_resultsHeight);
        return;
    }
    m_results->resize(m_width - 2, listHeight);
    m_facts->setGeometry(0, m_results->geometry().bottom() + 2, m_width - 2, mapHeight);
    m_facts->show();
}

void LevelColumn::hideFacts()
{
    m_factsWanted = false;
    if (m_facts)
        m_facts->hide();
    m_results->resize(m_width - 2, m_resultsHeight);
}

void LevelColumn::fitToSummaries()
{
    resize(m_width, m_targetSummary->geometry().bottom() + 1);
}

bool LevelColumn::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_name && event->type() == QEvent::MouseButtonRelease
        && static_cast<QMouseEvent *>(event)->button() == Qt::LeftButton) {
        emit nameClicked(m_level);
        return true;
    }
    return QFrame::eventFilter(watched, event);
}
