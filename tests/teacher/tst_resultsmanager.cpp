#include <QTest>

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QScrollBar>
#include <QTemporaryDir>

#include <memory>

#include "state/appstate.h"
#include "app/oledate.h"
#include "demo/demoschool.h"
#include "store/resultsfile.h"
#include "store/resultsrewrite.h"
#include "support/controls.h"
#include "support/resultfiles.h"
#include "support/testplatform.h"
#include "teacher/ui/resultsmanager.h"
#include "teacher/ui/resultsmanagercontrols.h"

using namespace Qt::StringLiterals;

namespace {

const QDate Day(2026, 11, 2);
const QString DeleteQuestion = u"本当に消去しますか"_s;
const QString TimeRefused = u"秒数は1から99999までの数で入れてください。"_s;
const QString StudentRefused = u"名簿の生徒を選んでください。"_s;

// School year 2026 on the test clock: cohort 2017 is 小３, 2014 is 小６. The
// third entry is hidden from the name screen but can still be chosen here.
const QStringList Roster{
    u"1,2017,1,1,\"やまだ　はなこ\",0,\"\",\"\""_s,
    u"2,2014,1,1,\"あおき　りく\",0,\"\",\"\""_s,
    u"3,2014,1,1,\"佐藤　一\",1,\"\",\"\""_s,
};

ResultRecord session(qint16 student, qint16 level, qint32 time, double timeOfDay = 0.5,
                     const QString &site = u"00123"_s)
{
    return ResultRecord::make(OleDate::fromDate(Day), timeOfDay, student, level, time, site);
}

// A data folder with a roster and a results file, and the screen on it.
struct ManagerFixture
{
    explicit ManagerFixture(const QList<ResultRecord> &records)
    {
        state.DataFolder = dir.path() + u'/';
        state.RosterFolder = state.DataFolder;
        state.SchoolYearStartMonth = 4;
        state.SiteCode = u"00123"_s;
        state.SiteTitle = u"本校"_s;
        DemoSchool::writeTextFile(state.RosterFolder + u"新名簿.txt"_s, Roster, nullptr);
        ResultFiles::write(resultsPath(), ResultFiles::encode(records));
    }

    ResultsManager &open()
    {
        screen = std::make_unique<ResultsManager>(state, test.platform);
        screen->resize(1366, 768);
        screen->show();
        screen->activateWindow();
        if (!QTest::qWaitForWindowActive(screen.get()))
            qFatal("the screen never became active");
        screen->activate();
        return *screen;
    }

    QString resultsPath() const { return ResultsFile::pathIn(state.DataFolder); }
    QByteArray fileBytes() const { return ResultFiles::read(resultsPath()); }
    QStringList texts() const { return test.dialogs.texts(); }

    QTemporaryDir dir;
    TestPlatform test;
    AppState state;
    std::unique_ptr<ResultsManager> screen;
};

QListView *list(const ResultsManager &m)
{
    return control<QListView>(&m, ResultsManagerControls::List);
}

int lineCount(const ResultsManager &m)
{
    return list(m)->model()->rowCount();
}

QString line(const ResultsManager &m, int row)
{
    return list(m)->model()->index(row, 0).data().toString();
}

bool panelShown(const ResultsManager &m)
{
    return control<QFrame>(&m, ResultsManagerControls::Panel)->isVisible();
}

QString labelText(const ResultsManager &m, const char *name)
{
    return control<QLabel>(&m, name)->text();
}

QLineEdit *timeBox(const ResultsManager &m)
{
    return control<QLineEdit>(&m, ResultsManagerControls::Time);
}

QComboBox *studentBox(const ResultsManager &m)
{
    return control<QComboBox>(&m, ResultsManagerControls::Student);
}

void click(const ResultsManager &m, const char *button)
{
    control<QPushButton>(&m, button)->click();
}

// As a mouse does it: the first click of a double-click arrives on its own.
void doubleClickLine(const ResultsManager &m, int row)
{
    QListView *view = list(m);
    const QPoint at = view->visualRect(view->model()->index(row, 0)).center();
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, at);
    QTest::mouseDClick(view->viewport(), Qt::LeftButton, {}, at);
}

void typeTime(const ResultsManager &m, const QString &text)
{
    timeBox(m)->selectAll();
    QTest::keyClicks(timeBox(m), text);
}

QByteArray withChange(QList<ResultRecord> records, int index, qint16 student, qint32 time)
{
    records[index].studentNumber = student;
    records[index].timeScore = time;
    return ResultFiles::encode(records);
}

} // namespace

class TestResultsManager : public QObject
{
    Q_OBJECT

private slots:
    void listsRecordsAndOpensTheChosenOne();
    void deleteSelectsTheFollowingRecord();
    void changeWritesOnlyStudentAndTime();
    void refusesWhatCannotBeRecorded_data();
    void refusesWhatCannotBeRecorded();
    void recordMovedByAnotherCopyIsNotWritten();
    void changeMeetingARepairSaysItWasNotMade();
};

void TestResultsManager::listsRecordsAndOpensTheChosenOne()
{
    ManagerFixture f({session(1, 2, 95, 0.25), session(2, 0, 80), session(2, 3, 130, 0.75, u"00777"_s)});
    const QByteArray before = f.fileBytes();
    ResultsManager &m = f.open();
    QCOMPARE(lineCount(m), 2);
    QVERIFY(line(m, 0).startsWith(u"   1 2026/11/02"_s));
    QVERIFY(line(m, 1).startsWith(u"   3 2026/11/02"_s));
    QVERIFY(line(m, 1).endsWith(u"++他塾"_s));
    QVERIFY(!panelShown(m));
    QVERIFY(!control<QPushButton>(&m, ResultsManagerControls::ChangeButton)->isEnabled());
    QVERIFY(!control<QPushButton>(&m, ResultsManagerControls::DeleteButton)->isEnabled());

    doubleClickLine(m, 1);
    QVERIFY(panelShown(m));
    QCOMPARE(labelText(m, ResultsManagerControls::RecordNumber), u"3"_s);
    QCOMPARE(labelText(m, ResultsManagerControls::Level), u"ﾚﾍﾞﾙ3"_s);
    QCOMPARE(labelText(m, ResultsManagerControls::Date), u"2026/11/02"_s);
    QCOMPARE(studentBox(m)->currentText(), u"2 /  あおき　りく"_s);
    QCOMPARE(labelText(m, ResultsManagerControls::Grade), u"小６"_s);
    QCOMPARE(timeBox(m)->text(), u"130"_s);
    QCOMPARE(control<QScrollBar>(&m, ResultsManagerControls::TimeSpin)->value(), 130);
    QVERIFY(control<QPushButton>(&m, ResultsManagerControls::DeleteButton)->isEnabled());

    // Every roster entry can be picked, hidden ones too, and the grade follows.
    QCOMPARE(studentBox(m)->count(), 3);
    QCOMPARE(studentBox(m)->itemText(2), u"3 /  佐藤　一"_s);
    studentBox(m)->setCurrentIndex(0);
    QCOMPARE(labelText(m, ResultsManagerControls::Grade), u"小３"_s);

    // A click on the list closes the panel, even on the line it shows.
    QTest::mouseClick(list(m)->viewport(), Qt::LeftButton, {},
                      list(m)->visualRect(list(m)->model()->index(1, 0)).center());
    QVERIFY(!panelShown(m));

    // Return opens the selected line for keyboard users; キャンセル drops the
    // edits and gives the keys back to the list.
    list(m)->setCurrentIndex(list(m)->model()->index(0, 0));
    QTest::keyClick(list(m), Qt::Key_Return);
    QVERIFY(panelShown(m));
    QCOMPARE(labelText(m, ResultsManagerControls::RecordNumber), u"1"_s);
    typeTime(m, u"70"_s);
    click(m, ResultsManagerControls::CancelButton);
    QVERIFY(!panelShown(m));
    QCOMPARE(QApplication::focusWidget(), list(m));
    QCOMPARE(f.fileBytes(), before);
    QVERIFY(f.test.dialogs.shown.isEmpty());
}

void TestResultsManager::deleteSelectsTheFollowingRecord()
{
    const QList<ResultRecord> records{session(1, 1, 101), session(1, 1, 102), session(2, 1, 103), session(2, 2, 104),
                                      session(1, 2, 105)};
    ManagerFixture f(records);
    ResultsManager &m = f.open();

    doubleClickLine(m, 1);
    click(m, ResultsManagerControls::DeleteButton);
    QCOMPARE(f.test.dialogs.shown.size(), 1);
    QCOMPARE(f.test.dialogs.shown[0].title, u"注意"_s);
    QCOMPARE(f.test.dialogs.shown[0].text, DeleteQuestion);
    QCOMPARE(f.test.dialogs.shown[0].buttons, DialogButtons::OkCancel);
    QCOMPARE(f.fileBytes(), ResultFiles::encode({records[0], records[2], records[3], records[4]}));
    QCOMPARE(lineCount(m), 4);
    QVERIFY(line(m, 1).startsWith(u"   2 "_s));
    QVERIFY(line(m, 1).contains(u"  103秒"_s));
    QCOMPARE(list(m)->currentIndex().row(), 1);
    QVERIFY(list(m)->selectionModel()->isSelected(list(m)->currentIndex()));
    QVERIFY(!panelShown(m));

    // Without a following record, the new last line is selected.
    doubleClickLine(m, 3);
    QCOMPARE(labelText(m, ResultsManagerControls::RecordNumber), u"4"_s);
    click(m, ResultsManagerControls::DeleteButton);
    QCOMPARE(f.fileBytes(), ResultFiles::encode({records[0], records[2], records[3]}));
    QCOMPARE(lineCount(m), 3);
    QCOMPARE(list(m)->currentIndex().row(), 2);

    // Cancel in the question leaves everything as it was.
    const QByteArray before = f.fileBytes();
    f.test.dialogs.setNextAnswers({DialogAnswer::Cancel});
    doubleClickLine(m, 0);
    click(m, ResultsManagerControls::DeleteButton);
    QCOMPARE(f.texts(), QStringList(3, DeleteQuestion));
    QCOMPARE(f.fileBytes(), before);
    QCOMPARE(lineCount(m), 3);
    QVERIFY(panelShown(m));
}

void TestResultsManager::changeWritesOnlyStudentAndTime()
{
    const QList<ResultRecord> records{session(1, 4, 95, 0.6789, u"00777"_s), session(2, 2, 99999, 0.3),
                                      session(1, 1, 60)};
    ManagerFixture f(records);
    ResultsManager &m = f.open();

    // Date, time of day, level and site code stay as they were.
    doubleClickLine(m, 0);
    typeTime(m, u"75"_s);
    click(m, ResultsManagerControls::ChangeButton);
    QByteArray expected = withChange(records, 0, 1, 75);
    QCOMPARE(f.fileBytes(), expected);
    QVERIFY(line(m, 0).contains(u"   75秒"_s));
    QCOMPARE(list(m)->currentIndex().row(), 0);
    QVERIFY(!panelShown(m));

    // A session that ran out of time is shown as it is, beyond the spin's
    // reach, and keeps its time when only the student changes.
    doubleClickLine(m, 1);
    QCOMPARE(timeBox(m)->text(), u"99999"_s);
    QCOMPARE(control<QScrollBar>(&m, ResultsManagerControls::TimeSpin)->value(), 6000);
    studentBox(m)->setCurrentIndex(2);
    click(m, ResultsManagerControls::ChangeButton);
    QList<ResultRecord> changed = records;
    changed[0].timeScore = 75;
    expected = withChange(changed, 1, 3, 99999);
    QCOMPARE(f.fileBytes(), expected);
    QCOMPARE(list(m)->currentIndex().row(), 1);

    // The spin's arrows write their value into the box.
    doubleClickLine(m, 2);
    control<QScrollBar>(&m, ResultsManagerControls::TimeSpin)->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    QCOMPARE(timeBox(m)->text(), u"61"_s);
    click(m, ResultsManagerControls::ChangeButton);
    changed[1].studentNumber = 3;
    QCOMPARE(f.fileBytes(), withChange(changed, 2, 1, 61));
    QVERIFY(f.test.dialogs.shown.isEmpty());
}

void TestResultsManager::refusesWhatCannotBeRecorded_data()
{
    QTest::addColumn<QString>("time");
    QTest::addColumn<QString>("student");
    QTest::addColumn<QString>("message");
    QTest::newRow("letters for a time") << u"abc"_s << u"2 /  あおき　りく"_s << TimeRefused;
    QTest::newRow("no seconds") << u"0"_s << u"2 /  あおき　りく"_s << TimeRefused;
    QTest::newRow("no slash") << u"80"_s << u"2 あおき"_s << StudentRefused;
    QTest::newRow("not in the roster") << u"80"_s << u"7 /  だれか"_s << StudentRefused;
}

void TestResultsManager::refusesWhatCannotBeRecorded()
{
    QFETCH(QString, time);
    QFETCH(QString, student);
    QFETCH(QString, message);
    ManagerFixture f({session(1, 1, 90), session(1, 2, 95)});
    const QByteArray before = f.fileBytes();
    ResultsManager &m = f.open();
    doubleClickLine(m, 1);
    typeTime(m, time);
    studentBox(m)->setEditText(student);
    click(m, ResultsManagerControls::ChangeButton);
    QCOMPARE(f.texts(), QStringList{message});
    QCOMPARE(f.test.dialogs.shown[0].icon, DialogIcon::Warning);
    QCOMPARE(f.fileBytes(), before);
    QVERIFY(panelShown(m));
}

// Another teacher's delete moves the opened record to another number; the
// change must not land on the record that took its place.
void TestResultsManager::recordMovedByAnotherCopyIsNotWritten()
{
    const QList<ResultRecord> records{session(1, 1, 90), session(2, 1, 95), session(1, 2, 99)};
    ManagerFixture f(records);
    ResultsManager &m = f.open();
    doubleClickLine(m, 1);
    QCOMPARE(ResultsRewrite::deleteRecord(f.state, f.test.platform, 1, records[0]).outcome,
             ResultsRewrite::Outcome::Done);
    const QByteArray behindItsBack = f.fileBytes();
    QCOMPARE(behindItsBack, ResultFiles::encode({records[1], records[2]}));

    typeTime(m, u"77"_s);
    click(m, ResultsManagerControls::ChangeButton);
    QCOMPARE(
        f.texts(),
        QStringList{
            u"記録2の変更はしていません。\nこの記録は、ほかのパソコンで変更または消去されました。一覧を作り直します。"_s});
    QCOMPARE(f.fileBytes(), behindItsBack);
    QCOMPARE(lineCount(m), 2);
    QVERIFY(line(m, 0).contains(u"   95秒"_s));
    QVERIFY(!panelShown(m));
}

// Another PC's delete stopped part-way after this list was read: the change
// meets the repair, and the teacher hears that the change itself was not made.
void TestResultsManager::changeMeetingARepairSaysItWasNotMade()
{
    const QList<ResultRecord> records{session(1, 1, 90), session(2, 1, 95)};
    ManagerFixture f(records);
    ResultsManager &m = f.open();
    doubleClickLine(m, 0);
    const QString backup = ResultsRewrite::backupPathIn(f.state.DataFolder);
    ResultFiles::write(backup, f.fileBytes());
    typeTime(m, u"77"_s);
    click(m, ResultsManagerControls::ChangeButton);
    QCOMPARE(f.fileBytes(), ResultFiles::encode(records));
    QCOMPARE(f.texts().size(), 1);
    QVERIFY2(f.texts().at(0).startsWith(u"記録1の変更はしていません。\n成績データの消去が途中で止まっていました。"_s),
             qPrintable(f.texts().at(0)));
    QVERIFY(!QFile::exists(backup));
}

QTEST_MAIN(TestResultsManager)
#include "tst_resultsmanager.moc"
