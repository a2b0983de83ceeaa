#include "teacher/ui/resultsmanager.h"

#include <QFontDatabase>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QListView>
#include <QPushButton>
#include <QScrollBar>
#include <QVBoxLayout>

#include <algorithm>

#include "state/appstate.h"
#include "app/ui/controlnames.h"
#include "app/ui/screenstyle.h"
#include "platform/clock.h"
#include "platform/dialogs.h"
#include "platform/platform.h"
#include "roster/rosterfile.h"
#include "store/resultsfile.h"
#include "teacher/resultslist.h"
#include "teacher/ui/recordeditpanel.h"
#include "teacher/ui/resultslistmodel.h"
#include "teacher/ui/resultsmanagercontrols.h"

namespace {

const QString Caution = QStringLiteral("注意");

// Full-width characters must be exactly two half-width ones wide, or the
// columns of the list drift apart.
QFont listFont()
{
    QFont font = ScreenStyle::fixedPitchFont();
    const QStringList installed = QFontDatabase::families();
    const QStringList families = font.families();
    const bool found = std::any_of(families.cbegin(), families.cend(),
                                   [&installed](const QString &family) { return installed.contains(family); });
    if (!found)
        font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    return font;
}

constexpr int LargestListFont = 16;
constexpr int SmallestListFont = 10;

} // namespace

ResultsManager::ResultsManager(AppState &state, Platform &platform, QWidget *parent)
    : QWidget(parent)
    , m_state(state)
    , m_platform(platform)
    , m_model(new ResultsListModel(this))
{
    Controls::named(this, ResultsManagerControls::Screen);
    setWindowTitle(QStringLiteral("Growna"));
    buildControls();
    connectControls();
    applySeasonColour();
}

void ResultsManager::buildControls()
{
    m_hint = Controls::named(new QLabel(QStringLiteral("ダブルクリックすると変更、消去できます"), this),
                             ResultsManagerControls::Hint);
    QFont hintFont = font();
    hintFont.setPointSize(14);
    hintFont.setBold(true);
    m_hint->setFont(hintFont);

    m_list = Controls::named(new QListView(this), ResultsManagerControls::List);
    m_list->setModel(m_model);
    // One row's height serves for all: a million rows are laid out without
    // formatting each.
    m_list->setUniformItemSizes(true);
    m_list->setSelectionMode(QAbstractItemView::SingleSelection);
    m_list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_list->setFont(listFont());
    m_list->setAccessibleName(QStringLiteral("成績の一覧"));
    m_list->installEventFilter(this);

    m_panel = new RecordEditPanel(this);
    m_panel->setFixedWidth(330);
    // The list keeps its width whether the panel shows or not.
    QSizePolicy keepPlace = m_panel->sizePolicy();
    keepPlace.setRetainSizeWhenHidden(true);
    m_panel->setSizePolicy(keepPlace);
    m_panel->hide();

    m_backButton = Controls::named(new QPushButton(QStringLiteral("戻る"), this), ResultsManagerControls::BackButton);
    QFont buttonFont = font();
    buttonFont.setPointSize(12);
    buttonFont.setBold(true);
    m_backButton->setFont(buttonFont);
    m_backButton->setMinimumHeight(40);

    auto *side = new QVBoxLayout;
    side->addWidget(m_panel, 1);
    side->addWidget(m_backButton);
    auto *body = new QHBoxLayout;
    body->addWidget(m_list, 1);
    body->addLayout(side);
    auto *outer = new QVBoxLayout(this);
    outer->addWidget(m_hint);
    outer->addLayout(body, 1);
}

void ResultsManager::connectControls()
{
    connect(m_list, &QListView::doubleClicked, this, [this](const QModelIndex &index) { openLine(index.row()); });
    // A click on the list closes the panel, even on the line it shows.
    connect(m_list, &QListView::pressed, this, &ResultsManager::closePanel);
    connect(m_list->selectionModel(), &QItemSelectionModel::currentChanged, this, &ResultsManager::closePanel);
    // Said as a change on the focused list, for a reader not told of the line's own focus.
    connect(m_list->selectionModel(), &QItemSelectionModel::currentChanged, this, [this](const QModelIndex &current) {
        m_list->setAccessibleDescription(current.data(Qt::AccessibleTextRole).toString());
    });
    connect(m_panel, &RecordEditPanel::changeRequested, this, &ResultsManager::changeRecord);
    connect(m_panel, &RecordEditPanel::deleteRequested, this, &ResultsManager::deleteRecord);
    connect(m_panel, &RecordEditPanel::cancelRequested, this, [this] {
        closePanel();
        m_list->setFocus();
    });
    connect(m_backButton, &QPushButton::clicked, this, &ResultsManager::backRequested);
}

void ResultsManager::applySeasonColour()
{
    setAttribute(Qt::WA_StyledBackground);
    setStyleSheet(QStringLiteral("%1, %2 { %3 }")
                      .arg(Controls::selector(ResultsManagerControls::Screen),
                           Controls::selector(ResultsManagerControls::Hint),
                           ScreenStyle::seasonColours(m_state.SeasonColour)));
}

void ResultsManager::activate()
{
    ResultsRewrite::reportInterruptedDelete(m_state, m_platform, ResultsRewrite::Reader::Teacher);
    buildList();
    // The newest records, the likeliest to need a correction, are in view.
    selectLine(m_model->listing().lineCount() - 1);
    m_list->setFocus();
}

bool ResultsManager::eventFilter(QObject *watched, QEvent *event)
{
    // Return opens the selected line as a double-click does.
    if (watched == m_list && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent *>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            openLine(m_list->currentIndex().row());
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void ResultsManager::buildList()
{
    const RosterFile::ReadResult roster = RosterFile::load(m_state, m_platform.clock.today());
    // Said once: the list is still worth showing without names.
    if (roster.failed() && !m_rosterFaultTold) {
        m_rosterFaultTold = true;
        m_platform.dialogs.tell(Caution, roster.message(), DialogIcon::Warning);
    }
    m_panel->setStudents(m_state.roster);
    const QString path = ResultsFile::pathIn(m_state.DataFolder);
    const FileFault fault = m_model->reload(m_platform, path, {&m_state.roster, m_state.SiteCode, m_state.SiteTitle});
    if (fault.failed())
        m_platform.dialogs.tell(Caution,
                                QStringLiteral("成績ランダムファイル表示%1%2\n%3")
                                    .arg(QString::number(fault.number), fault.description, path),
                                DialogIcon::Warning);
    m_widestLines = m_model->widestLines();
    fitListFont();
}

void ResultsManager::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    fitListFont();
}

// The largest font that shows a whole row without scrolling sideways; the
// rows are sized from the first one, so a longer row would lose its end.
void ResultsManager::fitListFont()
{
    const int room = m_list->width() - 2 * m_list->frameWidth() - m_list->verticalScrollBar()->sizeHint().width() - 8;
    QFont font = m_list->font();
    // Even sizes only: there a half-width character is exactly half a full-width one.
    for (int px = LargestListFont; px >= SmallestListFont; px -= 2) {
        font.setPixelSize(px);
        const QFontMetrics metrics(font);
        const bool fits = std::all_of(m_widestLines.cbegin(), m_widestLines.cend(),
                                      [&](const QString &line) { return metrics.horizontalAdvance(line) <= room; });
        if (fits)
            break;
    }
    if (font != m_list->font())
        m_list->setFont(font);
}

void ResultsManager::selectLine(int line)
{
    if (line < 0) {
        m_list->setCurrentIndex({});
        return;
    }
    const QModelIndex index = m_model->index(line);
    m_list->setCurrentIndex(index);
    m_list->scrollTo(index);
}

void ResultsManager::openLine(int line)
{
    const ResultsListing &listing = m_model->listing();
    if (m_busy || line < 0 || line >= listing.lineCount())
        return;
    // The record number comes with the line, never from its text.
    m_editRecordNo = listing.recordNumber(line);
    m_opened = listing.record(line);
    m_panel->showRecord(m_editRecordNo, m_opened, m_state.roster);
    m_panel->show();
    m_panel->focusTime();
}

void ResultsManager::closePanel()
{
    m_panel->hide();
}

void ResultsManager::changeRecord()
{
    if (m_busy)
        return;
    const std::optional<qint32> time = ResultsList::typedTime(m_panel->timeText());
    if (!time) {
        m_platform.dialogs.tell(Caution, QStringLiteral("秒数は1から99999までの数で入れてください。"),
                                DialogIcon::Warning);
        m_panel->focusTime();
        return;
    }
    const std::optional<qint16> student =
        ResultsList::chosenStudent(m_panel->studentText(), m_state.roster, m_opened.studentNumber);
    if (!student) {
        m_platform.dialogs.tell(Caution, QStringLiteral("名簿の生徒を選んでください。"), DialogIcon::Warning);
        return;
    }
    setBusy(true);
    const ResultsRewrite::Result result =
        ResultsRewrite::changeRecord(m_state, m_platform, m_editRecordNo, m_opened, *student, *time);
    setBusy(false);
    afterRewrite(ResultsRewrite::Action::Change, result);
}

void ResultsManager::deleteRecord()
{
    if (m_busy)
        return;
    if (m_platform.dialogs.ask(DialogIcon::Question, Caution, QStringLiteral("本当に消去しますか"),
                               DialogButtons::OkCancel)
        != DialogAnswer::Ok)
        return;
    setBusy(true);
    const ResultsRewrite::Result result = ResultsRewrite::deleteRecord(m_state, m_platform, m_editRecordNo, m_opened);
    setBusy(false);
    afterRewrite(ResultsRewrite::Action::Delete, result);
}

void ResultsManager::afterRewrite(ResultsRewrite::Action action, const ResultsRewrite::Result &result)
{
    using namespace ResultsRewrite;
    if (result.outcome != Outcome::Done) {
        const QString repair = result.outcome == Outcome::RepairPending
                                   ? repairAndDescribe(m_state, m_platform, Reader::Teacher)
                                   : QString();
        const bool lost = result.outcome == Outcome::Failed;
        m_platform.dialogs.tell(Caution,
                                notDoneMessage(action, m_editRecordNo, result, ResultsFile::pathIn(m_state.DataFolder),
                                               backupPathIn(m_state.DataFolder), repair),
                                lost ? DialogIcon::Critical : DialogIcon::Warning);
    }
    buildList();
    selectLine(m_model->listing().lineAtOrAfter(m_editRecordNo));
    closePanel();
    m_list->setFocus();
}

// A rewrite may wait for another copy's lock with the window alive; a
// second click meanwhile must not start another.
void ResultsManager::setBusy(bool busy)
{
    m_busy = busy;
    for (QWidget *control :
         {static_cast<QWidget *>(m_list), static_cast<QWidget *>(m_panel), static_cast<QWidget *>(m_backButton)})
        control->setEnabled(!busy);
}
