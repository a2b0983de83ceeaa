#include "roster/ui/namesel.h"

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
#include <QSignalBlocker>
#include <QTextBrowser>
#include <QVBoxLayout>

#include "app/appstate.h"
#include "app/localpage.h"
#include "app/textnumber.h"
#include "app/ui/frmver.h"
#include "app/ui/screenhost.h"
#include "app/ui/screenstyle.h"
#include "app/ui/spokenlist.h"
#include "platform/clock.h"
#include "platform/dialogs.h"
#include "platform/platform.h"
#include "platform/programend.h"
#include "platform/random.h"
#include "roster/gradefilter.h"
#include "roster/siblinglauncher.h"
#include "roster/singlecopy.h"
#include "sound/soundcues.h"

namespace {

const QString &prompt()
{
    static const QString text = QString::fromUtf8(NameList::Prompt);
    return text;
}

QFont sized(QFont font, int points, bool bold = false)
{
    font.setPointSize(points);
    font.setBold(bold);
    return font;
}

// The name list in the fixed-pitch font, large enough to read from a seat.
QFont listFont()
{
    QFont font = ScreenStyle::fixedPitchFont();
    font.setPointSize(16);
    return font;
}

template <typename W>
W *named(W *widget, const QString &name)
{
    widget->setObjectName(name);
    return widget;
}

} // namespace

namesel::namesel(ScreenHost &host, QWidget *parent)
    : QWidget(parent)
    , m_host(host)
{
    setObjectName(QStringLiteral("namesel"));
    setAttribute(Qt::WA_StyledBackground);
    setWindowTitle(QStringLiteral("Growna"));
    buildControls();
    connectControls();
    // Shortcut keys work wherever the focus is, as if the screen saw each
    // key before its controls.
    qApp->installEventFilter(this);
}

namesel::~namesel()
{
    qApp->removeEventFilter(this);
}

void namesel::buildControls()
{
    Picture12 = named(new QFrame(this), QStringLiteral("Picture12"));
    Picture12->setFrameShape(QFrame::StyledPanel);
    Picture12->setMaximumSize(1240, 720);

    Label4 = named(new QLabel(Picture12), QStringLiteral("Label4"));
    Label4->setFont(sized(Label4->font(), 48, true));
    Label4->setAlignment(Qt::AlignCenter);
    Label4->setCursor(Qt::PointingHandCursor);
    Label4->setToolTip(QStringLiteral("ﾊﾞｰｼﾞｮﾝ情報"));

    const QFont controlFont = sized(font(), 14);
    Combo1 = named(new QComboBox(Picture12), QStringLiteral("Combo1"));
    Combo1->setFont(controlFont);
    Combo1->setAccessibleName(QStringLiteral("学年"));
    // On Linux a combo box is named by its current text; a reader finds its
    // label through the buddy.
    auto *gradeCaption = named(new QLabel(QStringLiteral("学年"), Picture12), QStringLiteral("LabelGrade"));
    gradeCaption->setFont(controlFont);
    gradeCaption->setBuddy(Combo1);
    const QStringList modeCaptions{QStringLiteral("回数(今日／今まで）"), QStringLiteral("ポイント（今日／今まで）"),
                                   QStringLiteral("本日（ポイント／回数）"), QStringLiteral("今まで（ポイント／回数）")};
    for (int i = 0; i < NameList::ModeCount; ++i) {
        auto *option = named(new QRadioButton(modeCaptions[i], Picture12), QStringLiteral("Option1_%1").arg(i));
        option->setFont(controlFont);
        Option1.push_back(option);
    }
    Option1[NameList::DefaultMode]->setChecked(true);

    List1 = named(new QListWidget(Picture12), QStringLiteral("List1"));
    List1->setFont(listFont());
    List1->setAccessibleName(QStringLiteral("名前の一覧"));
    // Every line is one text line: without this the view asks each of
    // thousands of rows for its size.
    List1->setUniformItemSizes(true);
    List1->setMinimumWidth(440);

    Label1 = named(new QLabel(prompt(), Picture12), QStringLiteral("Label1"));
    Label1->setFont(sized(font(), 20, true));
    Label1->setWordWrap(true);
    Label1->setAlignment(Qt::AlignCenter);
    Label1->setMinimumHeight(64);
    Label1->setStyleSheet(QStringLiteral("#Label1 { background: white; color: black; border: 2px solid gray; }"));
    Label2 = named(new QLabel(Picture12), QStringLiteral("Label2"));
    Label2->hide();

    Command14 = named(new QPushButton(QStringLiteral("名前を選んでココをクリック"), Picture12),
                      QStringLiteral("Command14"));
    Command14->setFont(sized(font(), 20, true));
    Command14->setMinimumHeight(72);
    Command7 = named(new QPushButton(QStringLiteral("Tobiraへ(0)"), Picture12), QStringLiteral("Command7"));
    Command7->setFont(controlFont);
    Command7->setMinimumHeight(44);

    WebBrowser2 = named(new QTextBrowser(Picture12), QStringLiteral("WebBrowser2"));
    WebBrowser2->setOpenLinks(false);
    WebBrowser2->setFocusPolicy(Qt::NoFocus);

    Picture5 = named(new QLabel(QStringLiteral("Just a moment, please."), this), QStringLiteral("Picture5"));
    Picture5->setFont(sized(font(), 28, true));
    Picture5->setAlignment(Qt::AlignCenter);
    Picture5->setAutoFillBackground(true);
    Picture5->hide();

    auto *modes = new QVBoxLayout;
    modes->setSpacing(2);
    for (QRadioButton *option : Option1)
        modes->addWidget(option);
    auto *left = new QVBoxLayout;
    auto *grade = new QHBoxLayout;
    grade->addWidget(gradeCaption);
    grade->addWidget(Combo1, 1);
    left->addLayout(grade);
    left->addLayout(modes);
    left->addWidget(List1, 1);
    auto *right = new QVBoxLayout;
    right->addWidget(Label1);
    right->addWidget(Command14);
    right->addWidget(WebBrowser2, 1);
    right->addWidget(Command7, 0, Qt::AlignRight);
    auto *panel = new QGridLayout(Picture12);
    panel->setContentsMargins(24, 12, 24, 20);
    panel->setHorizontalSpacing(24);
    panel->addWidget(Label4, 0, 0, 1, 2);
    panel->addLayout(left, 1, 0);
    panel->addLayout(right, 1, 1);
    panel->setColumnStretch(0, 1);
    panel->setColumnStretch(1, 1);
    // The panel grows up to its largest size and stays in the middle of the screen.
    auto *outer = new QGridLayout(this);
    outer->addWidget(Picture12, 1, 1);
    for (int i : {0, 2}) {
        outer->setRowStretch(i, 1);
        outer->setColumnStretch(i, 1);
    }
    outer->setRowStretch(1, 1000);
    outer->setColumnStretch(1, 1000);
}

void namesel::connectControls()
{
    for (int i = 0; i < NameList::ModeCount; ++i) {
        connect(Option1[i], &QRadioButton::toggled, this, [this, i](bool on) {
            if (on)
                Option1_Click(i);
        });
    }
    connect(Combo1, &QComboBox::activated, this, &namesel::Combo1_Click);
    connect(List1, &QListWidget::currentRowChanged, this, &namesel::List1_Click);
    connect(List1, &QListWidget::itemClicked, this, &namesel::List1_Click);
    connect(List1, &QListWidget::itemDoubleClicked, this, &namesel::List1_DblClick);
    connect(Command14, &QPushButton::clicked, this, &namesel::Command14_Click);
    connect(Command7, &QPushButton::clicked, this, &namesel::Command7_Click);
}

bool namesel::Form_Load()
{
    AppState &state = m_host.state();
    Platform &platform = m_host.platform();
    applySeasonColour();
    showPage();
    platform.random.seed(static_cast<quint32>(platform.clock.now().time().msecsSinceStartOfDay()));
    if (!SingleCopy::ensure(platform))
        return false;

    setFilterChoices();
    名簿表示();
    // Without a roster nobody can log in; the teacher must hear why.
    if (m_lastRead.failed())
        platform.dialogs.tell(QStringLiteral("注意"), m_lastRead.message(), DialogIcon::Warning);
    else if (!m_lastRead.notice().isEmpty())
        platform.dialogs.tell(QStringLiteral("注意"), m_lastRead.notice(), DialogIcon::Information);
    Label4->setText(state.ContentTitle);
    Label4->setAccessibleName(state.ContentTitle);
    List1->setCurrentRow(0);
    Picture5->hide();
    return true;
}

void namesel::Form_Activate()
{
    Option1[NameList::DefaultMode]->setChecked(true);
    // The filter starts again from all grades, as the level menu will.
    const bool filtered = Combo1->currentText() != QString::fromUtf8(GradeFilter::AllGrades);
    setFilterChoices();
    if (filtered)
        名簿表示();
    m_host.state().InitialGradeFilter = QString::fromUtf8(GradeFilter::AllGrades);
    List1->setCurrentRow(0);
    Label1->setText(prompt());
    Picture5->hide();
    List1->setFocus();
}

void namesel::名簿表示()
{
    AppState &state = m_host.state();
    Platform &platform = m_host.platform();
    if (!NameList::rebuild(state, platform, m_mode, Combo1->currentText(), m_lines, m_lastRead))
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
        const QSignalBlocker blocker(List1);
        List1->clear();
        SpokenList::addLines(List1, texts, spoken);
        List1->setCurrentRow(0);
    }
    // The two figures of each line are those the display mode names.
    List1->setAccessibleDescription(Option1[std::size_t(m_mode)]->text());
    List1_Click();
}

void namesel::Option1_Click(int index)
{
    if (index < 0 || index >= NameList::ModeCount)
        return;
    {
        const QSignalBlocker blocker(Option1[index]);
        Option1[index]->setChecked(true);
    }
    m_mode = index;
    名簿表示();
}

void namesel::Combo1_Click()
{
    m_host.state().InitialGradeFilter = Combo1->currentText();
    名簿表示();
    List1->setFocus();
}

void namesel::List1_Click()
{
    const int row = List1->currentRow();
    if (row < 1 || row > m_lines.size()) {
        Label1->setText(prompt());
        return;
    }
    Label1->setText(NameList::clickedName(List1->item(row)->text()));
    Label2->setText(QString::number(NameList::numberOfKey(m_lines[row - 1].key)));
}

void namesel::List1_DblClick()
{
    const int row = List1->currentRow();
    if (row < 1 || row > m_lines.size()) {
        Label1->setText(prompt());
        return;
    }
    Label1->setText(NameList::doubleClickedName(List1->item(row)->text()));
    Label2->setText(QString::number(NameList::numberOfKey(m_lines[row - 1].key)));
    Command14_Click();
}

void namesel::Command14_Click()
{
    // Hidden while a confirmation is under way: a second one would open the menu twice.
    if (Command14->isHidden())
        return;
    const QString chosen = Label1->text();
    if (chosen.isEmpty() || chosen == prompt()) {
        playWrongCue();
        return;
    }
    AppState &state = m_host.state();
    const qint16 number = static_cast<qint16>(Label2->text().toInt());
    state.LoginTime = static_cast<qint32>(TextNumber::roundHalfEven(m_host.platform().clock.secondsSinceMidnight()));
    state.LoginTick = m_host.platform().clock.tickCount();
    state.StudentNumber = number;
    state.StudentName = state.Roster.name(number);
    state.StudentGrade = state.Roster.gradeName(number);
    Command14->hide();
    Picture5->show();
    Picture5->raise();
    QCoreApplication::processEvents();
    m_host.openLevelMenu();
}

void namesel::Command7_Click()
{
    Platform &platform = m_host.platform();
    if (SiblingLauncher::start(platform, m_host.state().ProgramFolder))
        platform.programEnd.endProgram(0);
}

void namesel::Label4_Click()
{
    frmver dialog(m_host.state(), this);
    dialog.exec();
    Form_Activate();
}

bool namesel::eventFilter(QObject *watched, QEvent *event)
{
    const QEvent::Type type = event->type();
    if (type != QEvent::KeyPress && type != QEvent::KeyRelease && type != QEvent::MouseButtonRelease)
        return false;
    if (watched == Label4 && type == QEvent::MouseButtonRelease) {
        if (static_cast<QMouseEvent *>(event)->button() == Qt::LeftButton)
            Label4_Click();
        return false;
    }
    if (type == QEvent::KeyRelease) {
        m_keyInHand = nullptr;
        return false;
    }
    auto *widget = qobject_cast<QWidget *>(watched);
    if (type != QEvent::KeyPress || event == m_keyInHand || !widget || (widget != this && !isAncestorOf(widget)))
        return false;
    m_keyInHand = event;
    const int key = static_cast<QKeyEvent *>(event)->key();
    if (widget == List1 && (key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Space)) {
        Command14_Click();
        return true;
    }
    handleShortcut(key);
    return false;
}

bool namesel::handleShortcut(int key)
{
    if (key == Qt::Key_1 && !Command14->isHidden()) {
        Command14_Click();
        return true;
    }
    if (key == Qt::Key_0 && !Command7->isHidden()) {
        Command7_Click();
        return true;
    }
    return false;
}

void namesel::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    Picture5->setGeometry(rect());
}

void namesel::applySeasonColour()
{
    const RgbColour &c = m_host.state().SeasonColour;
    const QString colours = QStringLiteral("background: %1; color: %2;").arg(ScreenStyle::rgb(c), ScreenStyle::textOn(c));
    setAutoFillBackground(true);
    setStyleSheet(QStringLiteral("#namesel, #Picture12, #Picture5, #Label4, #LabelGrade, QRadioButton { %1 }").arg(colours));
}

void namesel::showPage()
{
    const QString folder = m_host.state().DataFolder;
    WebBrowser2->setSearchPaths({folder});
    WebBrowser2->setHtml(LocalPage::read(folder + QStringLiteral("PageName.htm")));
}

void namesel::setFilterChoices()
{
    const QSignalBlocker blocker(Combo1);
    Combo1->clear();
    Combo1->addItems(GradeFilter::choices());
    Combo1->setCurrentIndex(0);
}

void namesel::playWrongCue()
{
    // A false return means the program is ending; nothing follows here anyway.
    (void)PlayWrongCue(m_host.state(), m_host.platform());
}
