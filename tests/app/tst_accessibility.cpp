#include <QTest>

#include <QAccessible>
#include <QApplication>
#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QListWidget>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QtGui/private/qguiapplication_p.h>
#include <qpa/qplatformaccessibility.h>
#include <qpa/qplatformintegration.h>

#include "state/appstate.h"
#include "host/mainwindow.h"
#include "drill/ui/drillcontrols.h"
#include "drill/ui/drillscreen.h"
#include "menu/ui/levelmenu.h"
#include "roster/ui/namecontrols.h"
#include "menu/ui/menucontrols.h"
#include "roster/ui/namescreen.h"
#include "store/resultsfile.h"
#include "support/controls.h"
#include "support/resultfiles.h"
#include "support/schoolfolder.h"
#include "support/sessionfixture.h"
#include "support/testplatform.h"

using namespace Qt::StringLiterals;

namespace {

// What a screen reader was told, as it was at the moment it was told.
struct Heard
{
    QAccessible::Event type;
    QPointer<QObject> object;
    QAccessible::Role role;
    QString name;
    QString description;
};

QList<Heard> heard;

void recordEvent(QAccessibleEvent *event)
{
    QAccessibleInterface *iface = event->accessibleInterface();
    heard.append({event->type(), event->object(), iface ? iface->role() : QAccessible::NoRole,
                  iface ? iface->text(QAccessible::Name) : QString(),
                  iface ? iface->text(QAccessible::Description) : QString()});
}

QAccessibleInterface *accessible(QObject *object)
{
    return QAccessible::queryAccessibleInterface(object);
}

QString nameOf(QObject *object)
{
    return accessible(object)->text(QAccessible::Name);
}

// The label a reader says for a control (a combo box's own name is its text).
QString labelOf(QObject *object)
{
    const auto labels = accessible(object)->relations(QAccessible::Label);
    return labels.isEmpty() ? QString() : labels.first().first->text(QAccessible::Name);
}

// A list line as the reader gets it from the list, not from the item.
QString spokenRow(QListWidget *list, int row)
{
    QAccessibleInterface *cell = accessible(list)->child(row);
    return cell ? cell->text(QAccessible::Name) : QString();
}

QString descriptionOf(QObject *object)
{
    return accessible(object)->text(QAccessible::Description);
}

// Said by a reader as a change on the focused object.
bool heardName(QObject *object, const QString &name)
{
    return std::any_of(heard.cbegin(), heard.cend(), [&](const Heard &h) {
        return h.type == QAccessible::NameChanged && h.object == object && h.name == name;
    });
}

bool heardDescription(QObject *object, const QString &description)
{
    return std::any_of(heard.cbegin(), heard.cend(), [&](const Heard &h) {
        return h.type == QAccessible::DescriptionChanged && h.object == object && h.description == description;
    });
}

// The status line as the drill screen shows it.
QString statusLine(const DrillScreen *drill)
{
    const auto textOf = [&drill](const char *name) { return control<QLabel>(drill, name)->text(); };
    return u"レベル %1 残り %2問 タイム %3 このレベル %4回目 本日 %5回目 起動後 %6分"_s.arg(
        textOf(DrillControls::Level), textOf(DrillControls::Remaining), textOf(DrillControls::Time),
        textOf(DrillControls::LevelCount), textOf(DrillControls::Today), textOf(DrillControls::Minutes));
}

// School year 2026: 池田 is in 中3, and earned 11 points today at level 1.
// The name screen shows in the active window.
struct Classroom : SchoolWindow
{
    Classroom()
    {
        school.writeText(u"school/新名簿.txt"_s,
                         {u"1,2017,1,1,\"やまだ　はなこ\",0,\"\",\"\""_s, u"6,2011,1,1,\"池田　健太\",0,\"\",\"\""_s});
        ResultFiles::write(ResultsFile::pathIn(school.layout().dataFolder),
                           ResultFiles::encode({ResultFiles::record(QDate(2026, 12, 9), 6, 1, 60)}));
        host.startMainMenu();
        host.show();
        host.activateWindow();
        if (!QTest::qWaitForWindowActive(&host))
            qFatal("the window never became active");
    }
    // 池田's menu, opened by key 1 on his line; what was heard meanwhile is kept.
    LevelMenu *menu()
    {
        auto *list = control<QListWidget>(host.currentScreen(), NameControls::NameList);
        list->setFocus();
        list->setCurrentRow(rowContaining(list, u"池田"_s));
        heard.clear();
        QTest::keyClick(list, Qt::Key_1);
        return awaitScreen<LevelMenu>(host);
    }
    // His level 1 drill, opened by key 1 on the menu; what was heard meanwhile is kept.
    DrillScreen *drill()
    {
        LevelMenu *levels = menu();
        if (!levels || !QTest::qWaitFor([levels] { return levels->keyReady(); }))
            return nullptr;
        heard.clear();
        QTest::keyClick(levels, Qt::Key_1);
        return awaitScreen<DrillScreen>(host);
    }
};

} // namespace

// What a screen reader gets from the real screens, walked as a student walks them.
class TestAccessibility : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void nameScreenSaysItsGradeAndLines();
    void levelMenuSaysItsStartsAndLists();
    void drillSaysItsStatusProblemsAndAnswers();
    void wrongAnswerIsAnnouncedWithTheRightOne();
};

void TestAccessibility::initTestCase()
{
    // Offscreen has no reader attached; switch the events on and listen in.
    QPlatformAccessibility *platform = QGuiApplicationPrivate::platformIntegration()->accessibility();
    QVERIFY(platform);
    platform->setActive(true);
    QAccessible::installUpdateHandler(recordEvent);
}

void TestAccessibility::cleanupTestCase()
{
    QAccessible::installUpdateHandler(nullptr);
}

void TestAccessibility::nameScreenSaysItsGradeAndLines()
{
    Classroom c;
    auto *names = qobject_cast<NameScreen *>(c.host.currentScreen());
    QVERIFY(names);
    QCOMPARE(labelOf(control<QComboBox>(names, NameControls::GradeFilter)), u"学年"_s);
    // The grade box says its value, after its label; Orca reads it as text.
    QCOMPARE(nameOf(control<QComboBox>(names, NameControls::GradeFilter)), u"全学年"_s);
    QAccessibleTextInterface *gradeText =
        accessible(control<QComboBox>(names, NameControls::GradeFilter))->textInterface();
    QVERIFY(gradeText);
    QCOMPARE(gradeText->text(0, gradeText->characterCount()), u"全学年"_s);
    QCOMPARE(nameOf(control<QListWidget>(names, NameControls::NameList)), u"名前の一覧"_s);
    QVERIFY(descriptionOf(control<QListWidget>(names, NameControls::NameList))
                .endsWith(element<QRadioButton>(names, NameControls::ModeOptions, 1)->text()));
    const int ikeda = rowContaining(control<QListWidget>(names, NameControls::NameList), u"池田"_s);
    QVERIFY(ikeda > 0);
    QVERIFY(control<QListWidget>(names, NameControls::NameList)->item(ikeda)->text().contains(QChar(0x3000)));
    QCOMPARE(spokenRow(control<QListWidget>(names, NameControls::NameList), ikeda), u"中3 池田 健太 11 11"_s);
    // やまだ has no points: the blank columns are said as 0.
    QCOMPARE(spokenRow(control<QListWidget>(names, NameControls::NameList),
                       rowContaining(control<QListWidget>(names, NameControls::NameList), u"やまだ"_s)),
             u"小3 やまだ はなこ 0 0"_s);

    control<QListWidget>(names, NameControls::NameList)->setFocus();
    control<QListWidget>(names, NameControls::NameList)->setCurrentRow(ikeda - 1);
    heard.clear();
    QTest::keyClick(control<QListWidget>(names, NameControls::NameList), Qt::Key_Down);
    // The line the arrow reached, as a change on the focused list.
    QVERIFY(heardDescription(control<QListWidget>(names, NameControls::NameList),
                             u"中3 池田 健太 11 11 ポイント（今日／今まで）"_s));
}

void TestAccessibility::levelMenuSaysItsStartsAndLists()
{
    Classroom c;
    QPointer<LevelMenu> menu = c.menu();
    QVERIFY(menu);
    // No line of any list took the focus while the menu was built.
    QVERIFY(std::none_of(heard.cbegin(), heard.cend(), [](const Heard &h) {
        return h.type == QAccessible::Focus && qobject_cast<QListWidget *>(h.object);
    }));
    auto *firstStart = element<QPushButton>(menu, MenuControls::StartButton, 1);
    QCOMPARE(QApplication::focusWidget(), firstStart);
    QCOMPARE(nameOf(firstStart), u"ｽﾀｰﾄ(1) 足し算"_s);
    QCOMPARE(descriptionOf(firstStart), u"中３ 池田 健太"_s);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), element<QListWidget>(menu, MenuControls::Results, 1));
    QCOMPARE(labelOf(control<QComboBox>(menu, MenuControls::GradeFilter)), u"学年"_s);
    QSet<QString> listNames;
    for (int k = 1; k <= 4; ++k) {
        QAccessibleInterface *list = accessible(element<QListWidget>(menu, MenuControls::Results, k));
        QVERIFY(list->text(QAccessible::Name).contains(c.state.LevelNames[std::size_t(k)]));
        // After the current line, if the list has one.
        QVERIFY(list->text(QAccessible::Description).endsWith(u"獲得ポイント（今まで順位）"_s));
        listNames.insert(list->text(QAccessible::Name));
    }
    QCOMPARE(listNames.size(), 4);
    const int own = rowContaining(element<QListWidget>(menu, MenuControls::Results, 1), u"●"_s);
    QVERIFY(own >= 0);
    QCOMPARE(spokenRow(element<QListWidget>(menu, MenuControls::Results, 1), own), u"1位 自分 池田 健太 11 11"_s);
    element<QListWidget>(menu, MenuControls::Results, 1)->setCurrentRow(own - 1);
    heard.clear();
    QTest::keyClick(element<QListWidget>(menu, MenuControls::Results, 1), Qt::Key_Down);
    QVERIFY(heardDescription(element<QListWidget>(menu, MenuControls::Results, 1),
                             u"1位 自分 池田 健太 11 11 獲得ポイント（今まで順位）"_s));
    // Today's log, as the time view shows it.
    element<QRadioButton>(menu, MenuControls::ViewButtons, 0)->click();
    element<QRadioButton>(menu, MenuControls::ListButtons, 2)->click();
    QCOMPARE(accessible(element<QListWidget>(menu, MenuControls::Results, 1))->text(QAccessible::Description),
             u"本日の成績"_s);
    QVERIFY(spokenRow(element<QListWidget>(menu, MenuControls::Results, 1), 0).startsWith(u"60秒 "_s));
    QVERIFY(spokenRow(element<QListWidget>(menu, MenuControls::Results, 1), 0).endsWith(u" 自分 池田 健太 11"_s));
}

void TestAccessibility::drillSaysItsStatusProblemsAndAnswers()
{
    Classroom c;
    QPointer<DrillScreen> drill = c.drill();
    QVERIFY(drill);
    // A screen that opens says no empty notice (Orca would say "notification").
    QVERIFY(std::none_of(heard.cbegin(), heard.cend(),
                         [](const Heard &h) { return h.role == QAccessible::Notification && h.name.isEmpty(); }));
    QCOMPARE(nameOf(control<QListWidget>(drill, DrillControls::TimeList)), u"一問あたり所用時間順（今まで平均）"_s);
    QCOMPARE(nameOf(control<QListWidget>(drill, DrillControls::RateList)), u"正解率順"_s);
    auto *status = control<QFrame>(drill, DrillControls::StatusLine);
    QCOMPARE(nameOf(status), statusLine(drill));
    QVERIFY(nameOf(status).contains(u"残り 100問 タイム 0 "_s));

    heard.clear();
    QTest::keyClick(drill, Qt::Key_Space);
    c.test.clock.advanceMs(3000);
    drill->updateClock();
    QVERIFY(nameOf(status).contains(u"タイム 3 "_s));
    // The focused screen is named by the problem; what is typed follows it.
    QVERIFY(drill->hasFocus());
    QVERIFY(heardName(drill, nameOf(control<QFrame>(drill, DrillControls::ProblemArea))));
    const int expected = answerOnScreen(*drill);
    QTest::keyClicks(drill, QString::number(expected));
    QVERIFY(heardDescription(drill, QString::number(expected)));
    const QString firstProblem = nameOf(drill);
    // Orca speaks a notice as it shows; it drops Qt's name changes.
    const auto spoken = [&](const QString &name) {
        return std::any_of(heard.cbegin(), heard.cend(), [&](const Heard &h) {
            return h.type == QAccessible::ObjectShow && h.object == control<QLabel>(drill, DrillControls::Spoken)
                   && h.name == name;
        });
    };
    QVERIFY(spoken(firstProblem));
    QVERIFY(spoken(QString::number(expected)));
    QTest::keyClick(drill, Qt::Key_Space);
    QVERIFY(nameOf(status).contains(u"残り 99問"_s));
    QVERIFY(heardName(drill, nameOf(control<QFrame>(drill, DrillControls::ProblemArea))));
    QCOMPARE_NE(nameOf(drill), firstProblem);
    QCOMPARE(nameOf(status), statusLine(drill));
    heard.clear();
    QTest::keyClick(drill, Qt::Key_F1);
    QVERIFY(std::any_of(heard.cbegin(), heard.cend(), [&](const Heard &h) {
        return h.type == QAccessible::ObjectShow && h.object == control<QLabel>(drill, DrillControls::StatusNotice)
               && h.name == statusLine(drill);
    }));
}

void TestAccessibility::wrongAnswerIsAnnouncedWithTheRightOne()
{
    Classroom c;
    QPointer<DrillScreen> drill = c.drill();
    QVERIFY(drill);
    QTest::keyClick(drill, Qt::Key_Space);
    const int right = answerOnScreen(*drill);
    heard.clear();
    QTest::keyClicks(drill, QString::number(right + 1));
    QTest::keyClick(drill, Qt::Key_Space);
    auto *prompt = control<QLabel>(drill, DrillControls::Prompt);
    QTRY_VERIFY(!prompt->isHidden());
    QCOMPARE(nameOf(control<QLabel>(drill, DrillControls::CorrectAnswer)), u"正しい答え %1"_s.arg(right));
    const QString announcement = u"正しい答え %1 +を２回押しなさい"_s.arg(right);
    const auto announced = std::find_if(heard.cbegin(), heard.cend(), [&](const Heard &h) {
        return h.object == prompt && h.type == QAccessible::ObjectShow;
    });
    QVERIFY(announced != heard.cend());
    QCOMPARE(announced->role, QAccessible::Notification);
    QCOMPARE(announced->name, announcement);
}

QTEST_MAIN(TestAccessibility)
#include "tst_accessibility.moc"
