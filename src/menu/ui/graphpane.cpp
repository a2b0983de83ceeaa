#include "menu/ui/graphpane.h"

#include <QDir>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPainter>
#include <QPrinter>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include "state/appstate.h"
#include "app/ui/controlnames.h"
#include "menu/gradefilter.h"
#include "menu/resultsgraph.h"
#include "menu/rosterinputs.h"
#include "menu/storeinputs.h"
#include "menu/ui/menucontrols.h"
#include "platform/clock.h"
#include "platform/dialogs.h"
#include "platform/platform.h"
#include "platform/ui/printerchoice.h"

namespace {

constexpr int BandsPerSurface = int(std::size(GraphPainter::BandTops));

QPushButton *button(const QString &text, const char *name, QWidget *parent)
{
    return Controls::named(new QPushButton(text, parent), name);
}

QListWidget *chooser(const char *name, const QString &spoken, QWidget *parent)
{
    auto *list = Controls::named(new QListWidget(parent), name);
    list->setSelectionMode(QAbstractItemView::MultiSelection);
    list->setAccessibleName(spoken);
    return list;
}

// With several students in one PDF file each gets a file of their own beside
// the chosen one, as each gets a job of their own on a printer.
QString fileOfStudent(const QString &chosen, qint32 student, const QString &name)
{
    const QFileInfo file(chosen);
    const QString suffix = file.suffix().isEmpty() ? QStringLiteral("pdf") : file.suffix();
    return file.dir().filePath(
        QStringLiteral("%1_%2_%3.%4").arg(file.completeBaseName()).arg(student).arg(name, suffix));
}

} // namespace

GraphPane::GraphPane(AppState &state, Platform &platform, RecordReader readRecords, QWidget *parent)
    : QFrame(parent)
    , m_state(state)
    , m_platform(platform)
    , m_readRecords(std::move(readRecords))
    , m_choosePrinter([this](QPrinter &printer) { return PrinterChoice::chooseInDialog(printer, this); })
{
    Controls::named(this, MenuControls::GraphPane);
    setFrameShape(QFrame::Box);
    setAutoFillBackground(true);

    m_surface = new GraphSurface(this);
    m_levelCaption = Controls::named(new QLabel(QStringLiteral("ﾚﾍﾞﾙ"), this), MenuControls::LevelCaption);
    m_levelChooser = chooser(MenuControls::LevelChooser, QStringLiteral("レベル"), this);
    m_levelCaption->setBuddy(m_levelChooser);
    m_rosterChooser = chooser(MenuControls::RosterChooser, QStringLiteral("他の人"), this);
    m_rosterChooser->hide();
    m_showButton = button(QStringLiteral("表示"), MenuControls::ShowButton, this);
    m_printButton = button(QStringLiteral("印刷"), MenuControls::PrintButton, this);
    m_otherStudentsButton = button(QStringLiteral("他の人のデータを見る"), MenuControls::OtherStudentsButton, this);
    m_backButton = button(QStringLiteral("戻る"), MenuControls::GraphBackButton, this);

    auto *side = new QVBoxLayout;
    side->addWidget(m_levelCaption);
    side->addWidget(m_levelChooser, 1);
    side->addWidget(m_showButton);
    side->addWidget(m_printButton);
    side->addWidget(m_otherStudentsButton);
    side->addWidget(m_rosterChooser, 3);
    side->addStretch();
    side->addWidget(m_backButton);
    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->addWidget(m_surface, 1);
    layout->addLayout(side);
    m_levelChooser->setMaximumWidth(200);
    m_rosterChooser->setMinimumWidth(200);

    connect(m_showButton, &QPushButton::clicked, this, &GraphPane::showOnScreen);
    connect(m_printButton, &QPushButton::clicked, this, &GraphPane::print);
    connect(m_otherStudentsButton, &QPushButton::clicked, this, &GraphPane::showOtherStudents);
    connect(m_backButton, &QPushButton::clicked, this, [this] {
        hide();
        emit closed();
    });
    connect(m_levelChooser, &QListWidget::itemSelectionChanged, this, [this] {
        if (isVisible())
            showOnScreen();
    });
    connect(m_rosterChooser, &QListWidget::itemSelectionChanged, this, &GraphPane::showOnScreen);
}

void GraphPane::fillLevelChooser()
{
    const QSignalBlocker blocker(m_levelChooser);
    m_levelChooser->clear();
    for (int level = 1; level <= m_state.LevelCount; ++level)
        m_levelChooser->addItem(QString::number(level));
}

void GraphPane::fillRosterChooser()
{
    const QSignalBlocker blocker(m_rosterChooser);
    m_rosterChooser->clear();
    const RosterTable &roster = m_state.roster;
    for (const RosterEntry &entry : roster.entries()) {
        if (entry.offered()) {
            m_rosterChooser->addItem(ResultsGraph::chooserLine(roster.gradeName(entry.Number),
                                                               roster.trimmedName(entry.Number), entry.Number));
        }
    }
}

void GraphPane::open()
{
    m_shownStudent = m_state.StudentNumber;
    m_rosterChooser->hide();
    m_otherStudentsButton->show();
    m_printButton->setVisible(m_state.StudentName.contains(QStringLiteral("監督")));
    {
        const QSignalBlocker rosterBlocker(m_rosterChooser);
        const QSignalBlocker levelBlocker(m_levelChooser);
        m_rosterChooser->clearSelection();
        m_levelChooser->clearSelection();
        for (int row = 0; row < BandsPerSurface && row < m_levelChooser->count(); ++row)
            m_levelChooser->item(row)->setSelected(true);
    }
    showOnScreen();
}

void GraphPane::showOnScreen()
{
    const std::vector<qint32> students = chosenStudents();
    // Each student replaces the last one: the screen keeps the last.
    for (qint32 student : students) {
        m_shownStudent = student;
        std::vector<GraphSurface::ShownBand> bands;
        if (!prepareBands(bands))
            return;
        // A fourth level starts a new surface: the screen keeps the last one.
        const std::size_t first = bands.empty() ? 0 : (bands.size() - 1) / BandsPerSurface * BandsPerSurface;
        m_surface->showBands(
            {std::make_move_iterator(bands.begin() + qsizetype(first)), std::make_move_iterator(bands.end())});
        show();
        raise();
    }
}

// One printer choice for every chosen student, then a job per student.
void GraphPane::print()
{
    const std::vector<qint32> students = chosenStudents();
    QPrinter printer(QPrinter::HighResolution);
    PrinterChoice::setA4Portrait(printer);
    printer.setDocName(QStringLiteral("カズドリ %1").arg(m_state.roster.trimmedName(students.front())));
    if (!m_choosePrinter(printer))
        return;
    const QString chosenFile = printer.outputFormat() == QPrinter::PdfFormat ? printer.outputFileName() : QString();
    for (qint32 student : students) {
        m_shownStudent = student;
        std::vector<GraphSurface::ShownBand> bands;
        if (!prepareBands(bands))
            return;
        const QString name = m_state.roster.trimmedName(student);
        printer.setDocName(QStringLiteral("カズドリ %1").arg(name));
        if (!chosenFile.isEmpty() && students.size() > 1)
            printer.setOutputFileName(fileOfStudent(chosenFile, student, name));
        if (!printBands(printer, bands)) {
            // A PDF in a folder that cannot be written, a printer gone away.
            m_platform.dialogs.tell(QStringLiteral("注意"), QStringLiteral("印刷できませんでした。"),
                                    DialogIcon::Warning);
            return;
        }
    }
}

void GraphPane::showOtherStudents()
{
    m_otherStudentsButton->hide();
    m_rosterChooser->show();
}

// Chosen students in list order, or the shown one.
std::vector<qint32> GraphPane::chosenStudents() const
{
    std::vector<qint32> students;
    for (int row = 0; row < m_rosterChooser->count(); ++row) {
        if (m_rosterChooser->item(row)->isSelected())
            students.push_back(ResultsGraph::studentOfChooserLine(m_rosterChooser->item(row)->text()));
    }
    if (students.empty())
        students.push_back(m_shownStudent);
    return students;
}

bool GraphPane::prepareBands(std::vector<GraphSurface::ShownBand> &bands)
{
    if (!m_readRecords(m_records))
        return false;
    std::vector<ResultLists::RankingStudent> roster = ResultLists::rankingRoster(m_state.roster);
    const int grade = ResultLists::rosterStudent(m_state.roster, m_shownStudent).gradeNumber;
    const bool plotted = ResultLists::GradeFilterMatch(grade, m_gradeFilter);
    for (int row = 0; row < m_levelChooser->count(); ++row) {
        if (!m_levelChooser->item(row)->isSelected())
            continue;
        const int level = row + 1;
        if (level > m_state.LevelCount || level >= LevelRowCount)
            break;
        ResultLists::setLevelValues(roster, m_state, level);
        const ResultsGraph::RankFigures ranks =
            ResultsGraph::levelRankFigures(roster, m_pointsKind, m_gradeFilter, m_shownStudent);
        const ResultsGraph::BandQuery query{level, m_state.LevelCount, m_shownStudent, m_platform.clock.today(),
                                            plotted};
        GraphSurface::ShownBand shown{ResultsGraph::computeBand(m_records, query), {}};
        shown.texts.studentName = m_state.roster.trimmedName(m_shownStudent);
        shown.texts.levelTitle =
            QStringLiteral("%1 %2").arg(m_state.LevelNames[std::size_t(level)], m_state.ContentTitle);
        shown.texts.figures = ResultsGraph::figuresLines(shown.band, ranks);
        bands.push_back(std::move(shown));
    }
    return true;
}

bool GraphPane::printBands(QPrinter &printer, const std::vector<GraphSurface::ShownBand> &bands)
{
    QPainter painter;
    if (!painter.begin(&printer))
        return false;
    const QRectF page(QPointF(0, 0), printer.pageLayout().paintRectPixels(printer.resolution()).size());
    for (std::size_t i = 0; i < bands.size(); ++i) {
        if (i > 0 && i % BandsPerSurface == 0)
            printer.newPage();
        GraphPainter::paintBand(painter, page, GraphPainter::BandTops[i % BandsPerSurface], bands[i].band,
                                bands[i].texts, GraphPainter::Surface::Paper);
    }
    return painter.end();
}
