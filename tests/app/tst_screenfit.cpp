#include <QTest>

#include <QAbstractButton>
#include <QAbstractScrollArea>
#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QLabel>
#include <QListView>
#include <QListWidget>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QTimer>

#include "state/appstate.h"
#include "app/ui/waitcontrols.h"
#include "drill/ui/drillcontrols.h"
#include "app/ui/controlnames.h"
#include "drill/ui/drillscreen.h"
#include "host/hostcontrols.h"
#include "host/mainwindow.h"
#include "menu/ui/levelmenu.h"
#include "menu/ui/menucontrols.h"
#include "result/ui/resultcontrols.h"
#include "result/ui/resultscreen.h"
#include "roster/ui/namecontrols.h"
#include "roster/ui/namescreen.h"
#include "support/controls.h"
#include "support/schoolfolder.h"
#include "support/sessionfixture.h"
#include "support/testplatform.h"
#include "teacher/ui/resultsmanager.h"
#include "teacher/ui/resultsmanagercontrols.h"
#include "teacher/ui/standardeditor.h"
#include "teacher/ui/standardeditorcontrols.h"

using namespace Qt::StringLiterals;

// The road of a school day at the screen size this run was started with
// (tests/CMakeLists.txt starts it once per classroom monitor): every screen
// lies inside the available screen, keeps the window's size, and shows each
// control and text whole, nothing over anything else. Pictures of every
// screen go to screens/<size>/ in the build folder.
class TestScreenFit : public QObject
{
    Q_OBJECT

private slots:
    void splashNamesAndTheirPanelsFit();
    void walkThePupilsRoad();
    void teacherPanelAndItsToolsFit();
};

namespace {

// Drawn over the screen on purpose, while they show.
const QStringList Overlays{
    QString::fromLatin1(NameControls::WaitCover),       QString::fromLatin1(MenuControls::TeacherPanel),
    QString::fromLatin1(MenuControls::GraphPane),       QString::fromLatin1(DrillControls::EndOverlay),
    QString::fromLatin1(HostControls::OtherCopyNotice), QString::fromLatin1(MenuControls::WaitCover),
    QString::fromLatin1(DrillControls::StartPanel)};

QString describe(const QWidget *w)
{
    return u"%1(%2)"_s.arg(QString::fromLatin1(w->metaObject()->className()), w->objectName());
}

bool insideScrolledContent(const QWidget *w)
{
    for (const QWidget *p = w->parentWidget(); p; p = p->parentWidget()) {
        if (auto *area = qobject_cast<const QAbstractScrollArea *>(p->parentWidget()); area && area->viewport() == p)
            return true;
    }
    return false;
}

// What a text of one line needs beside the text itself.
QString plain(QString text)
{
    return text.remove(u'&');
}

void checkTextFits(const QWidget *w, QStringList &problems)
{
    if (auto *label = qobject_cast<const QLabel *>(w)) {
        if (label->text().isEmpty() || label->textFormat() == Qt::RichText)
            return;
        const QRect box = label->contentsRect().marginsRemoved(
            QMargins(label->margin(), label->margin(), label->margin(), label->margin()));
        if (label->wordWrap()) {
            if (label->heightForWidth(label->width()) > label->height() + 1)
                problems << u"%1 needs %2 px high, has %3"_s.arg(describe(w))
                                .arg(label->heightForWidth(label->width()))
                                .arg(label->height());
            return;
        }
        const QStringList lines = label->text().split(u'\n');
        int widest = 0;
        for (const QString &line : lines)
            widest = std::max(widest, label->fontMetrics().horizontalAdvance(line));
        const int high = int(lines.size()) * label->fontMetrics().height();
        if (widest > box.width() + 1 || high > box.height() + 2)
            problems << u"%1 \"%2\" needs %3x%4, has %5x%6"_s.arg(describe(w), label->text().left(20))
                            .arg(widest)
                            .arg(high)
                            .arg(box.width())
                            .arg(box.height());
        return;
    }
    if (auto *button = qobject_cast<const QAbstractButton *>(w)) {
        if (button->text().isEmpty())
            return;
        int needed = 0;
        if (qobject_cast<const QPushButton *>(w))
            needed = button->fontMetrics().horizontalAdvance(plain(button->text())) + 8;
        else
            needed = button->sizeHint().width();
        const int high = button->fontMetrics().height();
        if (needed > button->width() || high > button->height())
            problems << u"%1 \"%2\" needs %3x%4, has %5x%6"_s.arg(describe(w), button->text())
                            .arg(needed)
                            .arg(high)
                            .arg(button->width())
                            .arg(button->height());
    }
}

// Lists in a fixed-pitch font must keep a full-width character exactly two
// half-width ones wide, or their columns drift apart.
void checkColumns(const QWidget *w, QStringList &problems)
{
    auto *list = qobject_cast<const QListView *>(w);
    if (!list || list->font().styleHint() != QFont::TypeWriter)
        return;
    const QFontMetrics metrics(list->font());
    if (metrics.horizontalAdvance(u"名"_s) != 2 * metrics.horizontalAdvance(u"0"_s))
        problems << u"%1: full width %2 px, half width %3 px"_s.arg(describe(w))
                        .arg(metrics.horizontalAdvance(u"名"_s))
                        .arg(metrics.horizontalAdvance(u"0"_s));
}

QStringList problemsOf(QWidget *window)
{
    QStringList problems;
    QRect available = window->screen()->availableGeometry();
    // At 125 % the screen is 1092.8 pixels wide: Qt rounds a maximized
    // window up to the next whole pixel.
    const qreal ratio = window->screen()->devicePixelRatio();
    if (!qFuzzyCompare(ratio, std::round(ratio)))
        available.adjust(0, 0, 1, 1);
    if (!available.contains(window->frameGeometry()))
        problems << u"window %1 outside the screen %2"_s.arg(QDebug::toString(window->frameGeometry()),
                                                             QDebug::toString(available));
    const QList<QWidget *> all = window->findChildren<QWidget *>();
    for (QWidget *w : all) {
        if (w->isWindow() || !w->isVisible())
            continue;
        const bool overlay = Overlays.contains(w->objectName());
        const bool scrolled = insideScrolledContent(w);
        if (!scrolled) {
            const QRect inWindow(w->mapTo(window, QPoint(0, 0)), w->size());
            if (!window->rect().contains(inWindow))
                problems << u"%1 %2 outside the window"_s.arg(describe(w), QDebug::toString(inWindow));
            else if (!w->parentWidget()->rect().contains(w->geometry()))
                problems << u"%1 %2 outside %3"_s.arg(describe(w), QDebug::toString(w->geometry()),
                                                      describe(w->parentWidget()));
        }
        checkTextFits(w, problems);
        checkColumns(w, problems);
        if (overlay || scrolled || qobject_cast<QAbstractScrollArea *>(w->parentWidget()))
            continue;
        // Siblings side by side, never one over the other.
        for (QWidget *other : all) {
            if (other <= w || other->parentWidget() != w->parentWidget() || !other->isVisible() || other->isWindow()
                || Overlays.contains(other->objectName()))
                continue;
            if (w->geometry().intersects(other->geometry()))
                problems << u"%1 overlaps %2"_s.arg(describe(w), describe(other));
        }
    }
    return problems;
}

class Road
{
public:
    Road(MainWindow &host, const QString &folder)
        : m_host(host)
        , m_folder(folder)
    {
        QDir().mkpath(folder);
    }

    // Checks the window as it shows now and keeps its picture.
    void look(const QString &screen, QWidget *window = nullptr)
    {
        for (int i = 0; i < 5; ++i)
            QCoreApplication::processEvents();
        if (!window)
            window = &m_host;
        if (window == &m_host) {
            if (m_size.isEmpty())
                m_size = m_host.size();
            else if (m_host.size() != m_size)
                m_problems << u"%1: window %2, was %3"_s.arg(screen, QDebug::toString(m_host.size()),
                                                             QDebug::toString(m_size));
        }
        for (const QString &problem : problemsOf(window))
            m_problems << u"%1: %2"_s.arg(screen, problem);
        window->grab().save(m_folder + u"/"_s + screen + u".png"_s);
    }

    // A modal dialog the host opens: looked at, then closed.
    void lookAtDialog(const QString &screen, const std::function<void()> &open)
    {
        QTimer::singleShot(0, qApp, [this, screen] {
            QWidget *dialog = QApplication::activeModalWidget();
            if (!dialog) {
                m_problems << screen + u": no dialog"_s;
                return;
            }
            look(screen, dialog);
            dialog->close();
        });
        open();
    }

    const QStringList &problems() const { return m_problems; }

private:
    MainWindow &m_host;
    QString m_folder;
    QSize m_size;
    QStringList m_problems;
};

// A school day on the demo school, from the splash on, with its road.
struct SchoolDay : SchoolWindow
{
    SchoolDay()
    {
        test.clock.set(QDateTime(QDate(2026, 12, 9), QTime(10, 30)));
        host.showSplash();
    }
    // The name screen once the splash has gone, looked at.
    NameScreen *names()
    {
        auto *screen = awaitScreen<NameScreen>(host);
        road.look(u"name"_s);
        return screen;
    }
    // The menu of the first student on the name screen whose line has `who`.
    LevelMenu *logIn(const QString &who)
    {
        NameScreen *screen = names();
        auto *nameList = screen ? control<QListWidget>(screen, NameControls::NameList) : nullptr;
        const int row = nameList ? rowContaining(nameList, who) : -1;
        // Shortcut keys reach only the active window.
        if (row < 0 || !QTest::qWaitForWindowActive(&host))
            return nullptr;
        nameList->setFocus();
        nameList->setCurrentRow(row);
        QTest::keyClick(nameList, Qt::Key_1);
        return awaitScreen<LevelMenu>(host);
    }

    Road road{host, QString::fromLocal8Bit(qgetenv("KAZUDORI_TEST_BIN")) + u"/screens/"_s
                        + QString::fromLocal8Bit(qgetenv("KAZUDORI_MONITOR"))};
};

void checkNothingWrong(const Road &road)
{
    QStringList problems = road.problems();
    problems.removeDuplicates();
    for (const QString &problem : std::as_const(problems))
        qWarning("%s", qPrintable(problem));
    QVERIFY2(problems.isEmpty(), qPrintable(u"%1 problems (above)"_s.arg(problems.size())));
}

} // namespace

void TestScreenFit::splashNamesAndTheirPanelsFit()
{
    SchoolDay day;
    MainWindow &host = day.host;
    QVERIFY(QTest::qWaitForWindowExposed(&host));
    day.road.look(u"splash"_s);
    auto *names = day.names();
    QVERIFY(names);
    // The version dialog from the title, and the wait panel over the screen.
    day.road.lookAtDialog(u"version"_s,
                          [&] { QTest::mouseClick(control<QLabel>(names, NameControls::Title), Qt::LeftButton); });
    host.setBusy(true);
    QWidget *wait = nullptr;
    for (QWidget *window : QApplication::topLevelWidgets()) {
        if (window->objectName() == QString::fromLatin1(WaitControls::Screen) && window->isVisible())
            wait = window;
    }
    QVERIFY(wait);
    day.road.look(u"wait"_s, wait);
    host.setBusy(false);
    QVERIFY(QTest::qWaitForWindowActive(&host));
    checkNothingWrong(day.road);
}

void TestScreenFit::walkThePupilsRoad()
{
    SchoolDay day;
    MainWindow &host = day.host;
    Road &road = day.road;
    // A pupil of the demo school with sessions, so the lists have lines.
    auto *menu = day.logIn(u"池田"_s);
    QVERIFY(menu);
    for (int view = 0; view < 3; ++view) {
        element<QRadioButton>(menu, MenuControls::ViewButtons, view)->click();
        for (int list = 1; list <= 3; ++list) {
            auto *option = menu->findChild<QRadioButton *>(Controls::arrayName(MenuControls::ListButtons, list));
            if (!option || !option->isVisible() || option->text().isEmpty())
                continue;
            option->click();
            road.look(u"menu-view%1-list%2"_s.arg(view).arg(list));
        }
    }
    element<QRadioButton>(menu, MenuControls::ViewButtons, 2)->click();
    control<QPushButton>(menu, MenuControls::GraphButton)->click();
    road.look(u"menu-graph"_s);
    control<QPushButton>(menu, MenuControls::OtherStudentsButton)->click();
    road.look(u"menu-graph-others"_s);
    control<QPushButton>(menu, MenuControls::GraphBackButton)->click();

    QTest::keyClick(menu, Qt::Key_1);
    QTRY_VERIFY(qobject_cast<DrillScreen *>(host.currentScreen()));
    QPointer<DrillScreen> drill = qobject_cast<DrillScreen *>(host.currentScreen());
    QVERIFY(drill);
    road.look(u"drill-start"_s);
    QTest::mouseClick(control<QPushButton>(drill, DrillControls::StartButton), Qt::LeftButton);
    road.look(u"drill"_s);
    for (int step = 0; step < 200 && drill && !qobject_cast<ResultScreen *>(host.currentScreen()); ++step) {
        day.test.clock.advanceMs(900);
        drill->updateClock();
        const int answer = answerOnScreen(*drill);
        // One wrong answer shows the right one and its prompt.
        QTest::keyClicks(drill, QString::number(step == 5 ? answer + 1 : answer));
        QTest::keyClick(drill, Qt::Key_Space);
        if (step == 5) {
            road.look(u"drill-wrong"_s);
            QTest::keyClicks(drill, u"++"_s);
        }
    }
    QTRY_VERIFY(qobject_cast<ResultScreen *>(host.currentScreen()));
    auto *result = qobject_cast<ResultScreen *>(host.currentScreen());
    QTRY_VERIFY(!control<QPushButton>(result, ResultControls::MenuButton)->isHidden());
    road.look(u"result"_s);
    QTest::mouseClick(control<QPushButton>(result, ResultControls::MenuButton), Qt::LeftButton);
    QTRY_VERIFY(qobject_cast<LevelMenu *>(host.currentScreen()));
    road.look(u"menu-after-result"_s);
    QTest::keyClick(qobject_cast<LevelMenu *>(host.currentScreen()), Qt::Key_0);
    QTRY_VERIFY(qobject_cast<NameScreen *>(host.currentScreen()));
    checkNothingWrong(road);
}

void TestScreenFit::teacherPanelAndItsToolsFit()
{
    SchoolDay day;
    MainWindow &host = day.host;
    Road &road = day.road;
    QVERIFY(day.logIn(u"監督"_s));
    const auto teacherPanel = [&] {
        auto *teacherMenu = qobject_cast<LevelMenu *>(host.currentScreen());
        control<QPushButton>(teacherMenu, MenuControls::DataButton)->click();
        return teacherMenu;
    };
    teacherPanel();
    road.look(u"teacher-panel"_s);
    control<QPushButton>(host.currentScreen(), MenuControls::StandardsButton)->click();
    QTRY_VERIFY(qobject_cast<StandardEditor *>(host.currentScreen()));
    road.look(u"standard-editor"_s);
    control<QPushButton>(host.currentScreen(), StandardEditorControls::BackButton)->click();
    QTRY_VERIFY(qobject_cast<LevelMenu *>(host.currentScreen()));
    teacherPanel();
    control<QPushButton>(host.currentScreen(), MenuControls::ResultsButton)->click();
    QTRY_VERIFY(qobject_cast<ResultsManager *>(host.currentScreen()));
    road.look(u"results-manager"_s);
    control<QPushButton>(host.currentScreen(), ResultsManagerControls::BackButton)->click();
    QTRY_VERIFY(qobject_cast<LevelMenu *>(host.currentScreen()));
    teacherPanel();
    road.lookAtDialog(u"worksheets"_s,
                      [&] { control<QPushButton>(host.currentScreen(), MenuControls::WorksheetsButton)->click(); });
    road.lookAtDialog(u"export"_s,
                      [&] { control<QPushButton>(host.currentScreen(), MenuControls::ExportButton)->click(); });
    control<QPushButton>(host.currentScreen(), MenuControls::TeacherBackButton)->click();
    control<QPushButton>(host.currentScreen(), MenuControls::BackButton)->click();
    QTRY_VERIFY(qobject_cast<NameScreen *>(host.currentScreen()));
    road.look(u"name-again"_s);
    checkNothingWrong(road);
}

QTEST_MAIN(TestScreenFit)
#include "tst_screenfit.moc"
