#include "roster/ui/namescreen.h"

#include "app/ui/controlnames.h"

#include <QApplication>
#include <QComboBox>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QShortcut>
#include <QSignalBlocker>
#include <QTextBrowser>
#include <QVBoxLayout>

#include "state/appstate.h"
#include "app/localpage.h"
#include "app/ui/versiondialog.h"
#include "app/ui/pendinginput.h"
#include "app/ui/screenstyle.h"
#include "app/ui/spokenlist.h"
#include "app/ui/valuecombobox.h"
#include "platform/clock.h"
#include "platform/dialogs.h"
#include "platform/platform.h"
#include "platform/programend.h"
#include "platform/random.h"
#include "roster/gradefilter.h"
#include "roster/siblinglauncher.h"
#include "roster/singlecopy.h"
#include "roster/ui/namecontrols.h"
#include "sound/soundcues.h"

namespace {

using Controls::named;
using Controls::selector;
using Controls::sized;

const QString &prompt()
{
    static const QString text = QString::fromUtf8(NameList::Prompt);
    return text;
}

// The name list in the fixed-pitch font, large enough to read from a seat.
QFont listFont()
{
    return ScreenStyle::fixedPitchFont(22);
}

} // namespace

NameScreen::NameScreen(AppState &state, Platform &platform, QWidget *parent)
    : QWidget(parent)
    , m_state(state)
    , m_platform(platform)
{
    setObjectName(QString::fromLatin1(NameControls::Screen));
    setAttribute(Qt::WA_StyledBackground);
    setWindowTitle(QStringLiteral("Growna"));
    buildControls();
    connectControls();
    addShortcuts();
}

void NameScreen::buildControls()
{
    m_panel = named(new QFrame(this), NameControls::Panel);
    m_panel->setFrameShape(QFrame::StyledPanel);
    m_panel->setMaximumSize(1240, 720);

    m_title = named(new QLabel(m_panel), NameControls::Title);
    m_title->setFont(sized(m_title->font(), 48, true));
    m_title->setAlignment(Qt::AlignCenter);
    m_title->setCursor(Qt::PointingHandCursor);
    m_title->setToolTip(QStringLiteral("ﾊﾞｰｼﾞｮﾝ情報"));
    m_title->installEventFilter(this);

    const QFont controlFont = sized(font(), 14);
    m_gradeFilter = named(new ValueComboBox(m_panel), NameControls::GradeFilter);
    m_gradeFilter->setFont(controlFont);
    // On Linux a combo box is named by its current text; a reader finds its
    // label through the buddy.
    auto *gradeCaption = named(new QLabel(QStringLiteral("学年"), m_panel), NameControls::GradeCaption);
    gradeCaption->setFont(controlFont);
    gradeCaption->setBuddy(m_gradeFilter);
    const QStringList modeCaptions{QStringLiteral("回数(今日／今まで）"), QStringLiteral("ポイント（今日／今まで）"),
                                   QStringLiteral("本日（ポイント／回数）"),
                                   QStringLiteral("今まで（ポイント／回数）")};
    for (int i = 0; i < NameList::ModeCount; ++i) {
        auto *option =
            named(new QRadioButton(modeCaptions[i], m_panel), Controls::arrayName(NameControls::ModeOptions, i));
        option->setFont(controlFont);
        m_modeOptions.push_back(option);
    }
    m_modeOptions[NameList::DefaultMode]->setChecked(true);

    m_nameList = named(new QListWidget(m_panel), NameControls::NameList);
    m_nameList->setFont(listFont());
    m_nameList->setAccessibleName(QStringLiteral("名前の一覧"));
    // Every line is one text line: without this the view asks each of
    // thousands of rows for its size.
    m_nameList->setUniformItemSizes(true);
    m_nameList->setMinimumWidth(440);

    m_chosenName = named(new QLabel(prompt(), m_panel), NameControls::ChosenName);
    m_chosenName->setFont(sized(font(), 20, true));
    m_chosenName->setWordWrap(true);
    m_chosenName->setAlignment(Qt::AlignCenter);
    m_chosenName->setMinimumHeight(64);
    m_chosenName->setStyleSheet(selector(NameControls::ChosenName)
                                + QStringLiteral(" { background: white; color: black; border: 2px solid gray; }"));

    m_confirmButton =
        named(new QPushButton(QStringLiteral("名前を選んでココをクリック"), m_panel), NameControls::ConfirmButton);
    m_confirmButton->setFont(sized(font(), 20, true));
    m_confirmButton->setMinimumHeight(72);
    m_siblingButton = named(new QPushButton(QStringLiteral("Tobiraへ(0)"), m_panel), NameControls::SiblingButton);
    m_siblingButton->setFont(controlFont);
    m_siblingButton->setMinimumHeight(44);

    m_page = named(new QTextBrowser(m_panel), NameControls::Page);
    m_page->setOpenLinks(false);
    m_page->setFocusPolicy(Qt::NoFocus);

    m_waitCover = named(new QLabel(QStringLiteral("Just a moment, please."), this), NameControls::WaitCover);
    m_waitCover->setFont(sized(font(), 28, true));
    m_waitCover->setAlignment(Qt::AlignCenter);
    m_waitCover->setAutoFillBackground(true);
    m_waitCover->hide();

    auto *modes = new QVBoxLayout;
    modes->setSpacing(2);
    for (QRadioButton *option : m_modeOptions)
        modes->addWidget(option);
    auto *left = new QVBoxLayout;
    auto *grade = new QHBoxLayout;
    grade->addWidget(gradeCaption);
    grade->addWidget(m_gradeFilter, 1);
    left->addLayout(grade);
    left->addLayout(modes);
    left->addWidget(m_nameList, 1);
    auto *right = new QVBoxLayout;
    right->addWidget(m_chosenName);
    right->addWidget(m_confirmButton);
    right->addWidget(m_page, 1);
    right->addWidget(m_siblingButton, 0, Qt::AlignRight);
    auto *panel = new QGridLayout(m_panel);
    panel->setContentsMargins(24, 12, 24, 20);
    panel->setHorizontalSpacing(24);
    panel->addWidget(m_title, 0, 0, 1, 2);
    panel->addLayout(left, 1, 0);
    panel->addLayout(right, 1, 1);
    panel->setColumnStretch(0, 1);
    panel->setColumnStretch(1, 1);
    // The panel grows up to its largest size and stays in the middle of the screen.
    auto *outer = new QGridLayout(this);
    outer->addWidget(m_panel, 1, 1);
    for (int i : {0, 2}) {
        outer->setRowStretch(i, 1);
        outer->setColumnStretch(i, 1);
    }
    outer->setRowStretch(1, 1000);
    outer->setColumnStretch(1, 1000);
}

void NameScreen::connectControls()
{
    for (int i = 0; i < NameList::ModeCount; ++i) {
        connect(m_modeOptions[std::size_t(i)], &QRadioButton::toggled, this, [this, i](bool on) {
            if (on)
                chooseMode(i);
        });
    }
    connect(m_gradeFilter, &QComboBox::activated, this, &NameScreen::chooseGrade);
    connect(m_nameList, &QListWidget::currentRowChanged, this, &NameScreen::showHighlightedName);
    connect(m_nameList, &QListWidget::itemClicked, this, &NameScreen::showHighlightedName);
    connect(m_nameList, &QListWidget::itemDoubleClicked, this, &NameScreen::confirmDoubleClickedName);
    connect(m_confirmButton, &QPushButton::clicked, this, &NameScreen::confirmName);
    connect(m_siblingButton, &QPushButton::clicked, this, &NameScreen::openSiblingProgram);
}

bool NameScreen::prepare()
{
    applySeasonColour();
    showPage();
    m_platform.random.seed(static_cast<quint32>(m_platform.clock.now().time().msecsSinceStartOfDay()));
    if (!SingleCopy::ensure(m_platform))
        return false;

    setFilterChoices();
    showNames();
    // Without a roster nobody can log in; the teacher must hear why.
    if (m_lastRead.failed())
        m_platform.dialogs.tell(QStringLiteral("注意"), m_lastRead.message(), DialogIcon::Warning);
    else if (!m_lastRead.notice().isEmpty())
        m_platform.dialogs.tell(QStringLiteral("注意"), m_lastRead.notice(), DialogIcon::Information);
    m_title->setText(m_state.ContentTitle);
    m_title->setAccessibleName(m_state.ContentTitle);
    m_nameList->setCurrentRow(0);
    m_waitCover->hide();
    return true;
}

void NameScreen::activate()
{
    m_modeOptions[NameList::DefaultMode]->setChecked(true);
    // The filter starts again from all grades, as the level menu will.
    const bool filtered = m_gradeFilter->currentText() != QString::fromUtf8(GradeFilter::AllGrades);
    setFilterChoices();
    if (filtered)
        showNames();
    m_nameList->setCurrentRow(0);
    m_chosenName->setText(prompt());
    m_waitCover->hide();
    m_nameList->setFocus();
}

void NameScreen::showNames()
{
    if (!NameList::rebuild(m_state, m_platform, m_mode, m_gradeFilter->currentText(), m_lines, m_lastRead))
        return;

    QStringList texts{QString::fromUtf8(NameList::FirstLine)};
    // The dashes of the first line stand for "no name yet": the prompt says so.
    QStringList spoken{prompt()};
    texts.reserve(m_lines.size() + 1);
    spoken.reserve(m_lines.size() + 1);
    for (const NameList::Line &line : std::as_const(m_lines)) {
        texts.append(line.text);
        spoken.append(line.spoken);
    }
    {
        const QSignalBlocker blocker(m_nameList);
        m_nameList->clear();
        SpokenList::addLines(m_nameList, texts, spoken);
        m_nameList->setCurrentRow(0);
    }
    showHighlightedName();
}

void NameScreen::chooseMode(int index)
{
    if (index < 0 || index >= NameList::ModeCount)
        return;
    {
        const QSignalBlocker blocker(m_modeOptions[std::size_t(index)]);
        m_modeOptions[std::size_t(index)]->setChecked(true);
    }
    m_mode = index;
    showNames();
}

void NameScreen::chooseGrade()
{
    showNames();
    m_nameList->setFocus();
}

void NameScreen::showHighlightedName()
{
    // The two figures of each line are those the display mode names.
    SpokenList::describeCurrentLine(m_nameList, m_modeOptions[std::size_t(m_mode)]->text());
    showChosen(&NameList::clickedName);
}

void NameScreen::confirmDoubleClickedName()
{
    if (showChosen(&NameList::doubleClickedName))
        confirmName();
}

// Line 0 and anything outside the list leave the prompt in place.
bool NameScreen::showChosen(QString (*nameOnLine)(const QString &))
{
    const int row = m_nameList->currentRow();
    if (row < 1 || row > m_lines.size()) {
        m_chosenName->setText(prompt());
        return false;
    }
    m_chosenName->setText(nameOnLine(m_nameList->item(row)->text()));
    m_chosenStudent = static_cast<qint16>(NameList::numberOfKey(m_lines[row - 1].key));
    return true;
}

void NameScreen::confirmName()
{
    // Hidden while a confirmation is under way: a second one would open the menu twice.
    if (m_confirmButton->isHidden())
        return;
    const QString chosen = m_chosenName->text();
    if (chosen.isEmpty() || chosen == prompt()) {
        playWrongCue();
        return;
    }
    m_confirmButton->hide();
    m_waitCover->show();
    m_waitCover->raise();
    m_waitCover->repaint();
    // A second confirming key meets this screen, not the menu's start keys.
    PendingInput::afterDelivered(this, [this, student = m_chosenStudent, filter = m_gradeFilter->currentText()] {
        emit studentChosen(student, filter);
    });
}

void NameScreen::openSiblingProgram()
{
    if (m_siblingButton->isHidden())
        return;
    if (SiblingLauncher::start(m_platform, m_state.ProgramFolder))
        m_platform.programEnd.endProgram(0);
}

void NameScreen::showVersion()
{
    VersionDialog dialog(m_state.ContentTitle, this);
    dialog.exec();
    activate();
}

// The title opens the version dialog when clicked.
bool NameScreen::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_title && event->type() == QEvent::MouseButtonRelease
        && static_cast<QMouseEvent *>(event)->button() == Qt::LeftButton)
        showVersion();
    return QWidget::eventFilter(watched, event);
}

// "1" confirms and "0" opens the sibling program wherever the focus is, on
// the main keys or the keypad; Return and Space on the list confirm too.
void NameScreen::addShortcuts()
{
    const auto add = [this](QWidget *owner, Qt::ShortcutContext context, const QList<QKeySequence> &keys,
                            auto handler) {
        auto *shortcut = new QShortcut(owner);
        shortcut->setKeys(keys);
        shortcut->setContext(context);
        shortcut->setAutoRepeat(false);
        connect(shortcut, &QShortcut::activated, this, handler);
    };
    add(this, Qt::WidgetWithChildrenShortcut, {QKeySequence(Qt::Key_1), QKeySequence(Qt::KeypadModifier | Qt::Key_1)},
        &NameScreen::confirmName);
    add(this, Qt::WidgetWithChildrenShortcut, {QKeySequence(Qt::Key_0), QKeySequence(Qt::KeypadModifier | Qt::Key_0)},
        &NameScreen::openSiblingProgram);
    add(m_nameList, Qt::WidgetShortcut,
        {QKeySequence(Qt::Key_Return), QKeySequence(Qt::KeypadModifier | Qt::Key_Enter), QKeySequence(Qt::Key_Space)},
        &NameScreen::confirmName);
}

void NameScreen::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    m_waitCover->setGeometry(rect());
}

void NameScreen::applySeasonColour()
{
    const QString colours = ScreenStyle::seasonColours(m_state.SeasonColour);
    setAutoFillBackground(true);
    setStyleSheet(QStringLiteral("%1, %2, %3, %4, %5, QRadioButton { %6 }")
                      .arg(selector(NameControls::Screen), selector(NameControls::Panel),
                           selector(NameControls::WaitCover), selector(NameControls::Title),
                           selector(NameControls::GradeCaption), colours));
}

void NameScreen::showPage()
{
    const QString folder = m_state.DataFolder;
    m_page->setSearchPaths({folder});
    m_page->setHtml(LocalPage::read(folder + QStringLiteral("PageName.htm")));
}

void NameScreen::setFilterChoices()
{
    const QSignalBlocker blocker(m_gradeFilter);
    m_gradeFilter->clear();
    m_gradeFilter->addItems(GradeFilter::choices());
    m_gradeFilter->setCurrentIndex(0);
}

void NameScreen::playWrongCue()
{
    // A false return means the program is ending; nothing follows here anyway.
    (void)PlayWrongCue(m_state, m_platform);
}
