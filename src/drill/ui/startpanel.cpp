#include "drill/ui/startpanel.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>

#include "app/ui/controlnames.h"
#include "app/ui/spokenlist.h"
#include "drill/ui/drillcontrols.h"
#include "drill/ui/drillwidgets.h"
#include "drill/ui/factmapview.h"

using namespace DrillWidgets;
using namespace Qt::StringLiterals;

StartPanel::StartPanel(QWidget *parent)
    : QFrame(parent)
{
    setObjectName(QString::fromLatin1(DrillControls::StartPanel));
    setAutoFillBackground(true);
    setFrameShape(QFrame::Box);
    setStyleSheet(Controls::selector(DrillControls::StartPanel) + u" { background: rgb(240, 248, 236); }"_s);
    auto *panel = new QGridLayout(this);
    panel->setContentsMargins(10, 10, 10, 10);
    panel->setVerticalSpacing(4);

    QFont listFont(u"Noto Sans Mono CJK JP"_s);
    listFont.setStyleHint(QFont::TypeWriter);
    listFont.setPixelSize(16);
    const auto addList = [&](int column, const char *heading, const char *titles, const char *name) {
        QLabel *head = label(this, {}, QString::fromUtf8(heading));
        setPointSize(head, 15, true);
        QLabel *columns = label(this, {}, QString::fromUtf8(titles));
        columns->setFont(listFont);
        // The captions stand over the list columns: never cut.
        columns->setMinimumWidth(columns->fontMetrics().horizontalAdvance(columns->text()) + 4);
        auto *list = Controls::named(new QListWidget(this), name);
        list->setAccessibleName(head->text());
        list->setFont(listFont);
        // The keys belong to the drill, never to a list.
        list->setFocusPolicy(Qt::NoFocus);
        list->setMinimumHeight(150);
        panel->addWidget(head, 0, column);
        panel->addWidget(columns, 1, column);
        panel->addWidget(list, 2, column);
        return list;
    };
    m_timeList = addList(0, ProblemLists::TimeHeading, ProblemLists::TimeColumns, DrillControls::TimeList);
    m_rateList = addList(1, ProblemLists::RateHeading, ProblemLists::RateColumns, DrillControls::RateList);
    // Beside the two lists, the same statistics as a picture of all 100 facts.
    m_facts = new FactMapView(this);
    // Room for the column "10" beside two lists on a 1024-pixel screen.
    m_facts->setMinimumWidth(200);
    panel->addWidget(m_facts, 0, 2, 3, 1);
    panel->setColumnStretch(0, 3);
    panel->setColumnStretch(1, 3);
    panel->setColumnStretch(2, 2);
    panel->setRowStretch(2, 1);

    QLabel *legend = label(this, DrillControls::MarksLegend, QString::fromUtf8(ProblemLists::MarksLegend));
    QLabel *check = label(this, DrillControls::Encouragement, QString::fromUtf8(ProblemLists::Encouragement));
    QLabel *why = label(this, DrillControls::WhyDrill,
                        u"かんたんな問題をはやく計算すると、あなたの脳の多くの部分が使われ、きたえられ、"
                        u"集中力、きおく力などがつきます。毎日一回以上がんばりましょう。"_s);
    setPointSize(legend, 13);
    setPointSize(check, 15, true);
    setPointSize(why, 15);
    why->setWordWrap(true);
    panel->addWidget(legend, 3, 0, 1, 2);
    panel->addWidget(check, 4, 0, 1, 2);
    panel->addWidget(why, 5, 0, 1, 2);
    buildButtons(6);

    connect(m_startButton, &QPushButton::clicked, this, &StartPanel::startRequested);
    connect(m_backButton, &QPushButton::clicked, this, &StartPanel::askToGoBackOnce);
}

void StartPanel::buildButtons(int row)
{
    m_startButton = new QPushButton(u"問題スタート"_s, this);
    Controls::named(m_startButton, DrillControls::StartButton);
    m_backButton = new QPushButton(u"もどる"_s, this);
    Controls::named(m_backButton, DrillControls::BackButton);
    setPointSize(m_startButton, 22, true);
    setPointSize(m_backButton, 16);
    m_startButton->setMinimumSize(280, 64);
    m_backButton->setMinimumSize(160, 52);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(m_startButton);
    buttons->addSpacing(40);
    buttons->addWidget(m_backButton);
    buttons->addStretch(1);
    static_cast<QGridLayout *>(layout())->addLayout(buttons, row, 0, 1, 2);
}

void StartPanel::showLists(const ProblemLists::Lists &lists)
{
    m_timeList->clear();
    SpokenList::addLines(m_timeList, lists.timeLines, lists.timeSpoken);
    m_rateList->clear();
    SpokenList::addLines(m_rateList, lists.rateLines, lists.rateSpoken);
}

void StartPanel::showFacts(int level, const DrillProblemTable &problems, qint32 targetTime)
{
    m_facts->showFacts(level, problems, targetTime);
}

bool StartPanel::isBackButton(const QWidget *widget) const
{
    return widget == m_backButton;
}

void StartPanel::pressStart()
{
    m_startButton->click();
}

void StartPanel::pressBack()
{
    m_backButton->click();
}

void StartPanel::askToGoBackOnce()
{
    // Off first: a second click while the menu is built must not build it twice.
    if (!m_backButton->isEnabled())
        return;
    m_backButton->setEnabled(false);
    m_startButton->setEnabled(false);
    emit backRequested();
}
