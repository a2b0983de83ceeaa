#include <QTest>

#include <QClipboard>
#include <QDir>
#include <QGuiApplication>
#include <QInputMethodEvent>
#include <QMimeData>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSignalSpy>
#include <QTableWidget>
#include <QTemporaryDir>

#include <memory>

#include "state/appstate.h"
#include "app/levelstandard.h"
#include "demo/demoschool.h"
#include "store/resultsfile.h"
#include "support/controls.h"
#include "support/resultfiles.h"
#include "support/testplatform.h"
#include "teacher/ui/standardeditor.h"
#include "teacher/ui/standardeditorcontrols.h"

using namespace Qt::StringLiterals;

namespace {

const QString Header = u"目標Time,最低Time,ｸﾘｱﾎﾟｲﾝﾄ,ｸﾘｱ回数,ﾎﾟｲﾝﾄ倍率,禁回,禁点,判期間,禁期間,,,"_s;
const QString SaveQuestion = u"データが変更されています。記録しますか？"_s;
const QDate Day(2026, 11, 2);

QString levelLine(int level)
{
    return u"%1,%2,40,5,1.5,5,150,14,1,,,"_s.arg(level * 10).arg(level * 15);
}

QStringList levelLines(int levels)
{
    QStringList lines;
    for (int level = 1; level <= levels; ++level)
        lines.append(levelLine(level));
    return lines;
}

// A data folder with a level table and a results file, and an editor on it.
struct EditorFixture
{
    explicit EditorFixture(int levels = 6, const QString &header = u"old,header"_s)
    {
        state.DataFolder = dir.path() + u'/';
        writeTable(QStringList{header} + levelLines(levels));
        ResultFiles::write(resultsPath(),
                           ResultFiles::encode({ResultFiles::record(Day, 9, 4, 95), ResultFiles::record(Day, 9, 4, 120),
                                                ResultFiles::record(Day, 9, 4, 88)}));
    }

    StandardEditor &open()
    {
        auto *made = new StandardEditor(state, test.platform);
        editors.emplace_back(made);
        made->resize(1366, 768);
        made->show();
        made->activate();
        return *made;
    }

    QString tablePath() const { return state.DataFolder + u"タイム回数データ.txt"_s; }
    QString resultsPath() const { return ResultsFile::pathIn(state.DataFolder); }
    void writeTable(const QStringList &lines) const { DemoSchool::writeTextFile(tablePath(), lines, nullptr); }
    QByteArray tableBytes() const { return ResultFiles::read(tablePath()); }
    QStringList questions() const { return test.dialogs.texts(); }

    QTemporaryDir dir;
    TestPlatform test;
    AppState state;
    std::vector<std::unique_ptr<StandardEditor>> editors;
};

QLineEdit *cellEditor(const StandardEditor &e)
{
    return control<QLineEdit>(&e, StandardEditorControls::CellEditor);
}

QTableWidget *grid(const StandardEditor &e)
{
    return control<QTableWidget>(&e, StandardEditorControls::Grid);
}

QString cellText(const StandardEditor &e, int level, int column)
{
    return grid(e)->item(level - 1, column)->text();
}

bool isYellow(const StandardEditor &e, int level, int column)
{
    return grid(e)->item(level - 1, column)->background().color() == QColor(255, 255, 0);
}

// Moves the cell editor with arrow keys from level 1, column 1.
void goTo(StandardEditor &e, int level, int column)
{
    for (int i = 1; i < level; ++i)
        QTest::keyClick(cellEditor(e), Qt::Key_Down);
    for (int i = 1; i < column; ++i)
        QTest::keyClick(cellEditor(e), Qt::Key_Right);
}

QString allResultsHeader(const StandardEditor &e)
{
    return control<QListWidget>(&e, StandardEditorControls::AllResults)->item(0)->text();
}

} // namespace

Q_DECLARE_METATYPE(DialogAnswer)

class TestStandardEditor : public QObject
{
    Q_OBJECT

private slots:
    void twentyLevelsRoundTrip();
    void typing_data();
    void typing();
    void everyWayIntoACellIsChecked();
    void saveRefusesWhatWouldNotReadBack();
    void changeAndChangeBackStaysYellow();
    void copyDownCountsAsAChange_data();
    void copyDownCountsAsAChange();
    void borderKeysStillRefresh_data();
    void borderKeysStillRefresh();
    void escapeDoesNothing();
    void columnHelp_data();
    void columnHelp();
    void readerHearsEachCell();
    void distributionFollowsTheLevel();
    void reloadKeepsTheQuestion();
    void backAnswers_data();
    void backAnswers();
    void moreThan35LevelsAreNotWritten();
    void laterSaveWinsWhole_data();
    void laterSaveWinsWhole();
    void missingTableFile();
    void missingResultsFile();
    void failedWriteKeepsTheEdits();
};

void TestStandardEditor::twentyLevelsRoundTrip()
{
    EditorFixture f(20);
    StandardEditor &e = f.open();
    QCOMPARE(grid(e)->rowCount(), 20);
    QCOMPARE(grid(e)->columnCount(), 13);
    QCOMPARE(grid(e)->horizontalHeaderItem(0)->text(), u"レベル"_s);
    QCOMPARE(grid(e)->horizontalHeaderItem(9)->text(), u"禁期間"_s);
    QCOMPARE(cellText(e, 20, 0), u"20"_s);
    QCOMPARE(cellText(e, 7, 2), u"105"_s);
    f.state.LevelStandards[20].TargetTime = 0;
    control<QPushButton>(&e, StandardEditorControls::SaveButton)->click();

    QList<QStringList> rows;
    for (const QString &line : QStringList{Header} + levelLines(20))
        rows.append(line.split(u','));
    QCOMPARE(f.tableBytes(), LevelStandardFile::encode(rows));
    // The running program uses the saved table at once.
    QCOMPARE(f.state.LevelStandards[20].TargetTime, 200);
    QVERIFY(f.test.dialogs.shown.isEmpty());
}

void TestStandardEditor::typing_data()
{
    QTest::addColumn<QString>("keys");
    QTest::addColumn<QString>("cell");
    QTest::addColumn<bool>("yellow");
    QTest::newRow("5 after 12") << u"5"_s << u"125"_s << true;
    QTest::newRow("Space first") << u" 5"_s << u"5"_s << true;
    QTest::newRow("Space alone") << u" "_s << QString() << true;
    QTest::newRow("comma refused") << u",3"_s << u"123"_s << true;
    QTest::newRow("quote refused") << u"\""_s << u"12"_s << false;
}

void TestStandardEditor::typing()
{
    QFETCH(QString, keys);
    QFETCH(QString, cell);
    QFETCH(bool, yellow);
    EditorFixture f;
    f.writeTable({u"h"_s, u"12,30,40,5,1.5,5,150,14,1,,,"_s});
    StandardEditor &e = f.open();
    // The caret put at the start by hand does not stay there.
    cellEditor(e)->setCursorPosition(0);
    QTest::keyClicks(cellEditor(e), keys);
    QCOMPARE(cellEditor(e)->text(), cell);
    QCOMPARE(cellText(e, 1, 1), cell);
    QCOMPARE(isYellow(e, 1, 1), yellow);
}

// Paste, drop and an input method meet the same check as typing: a comma or
// a quote written raw would shift every later field of the table.
void TestStandardEditor::everyWayIntoACellIsChecked()
{
    EditorFixture f;
    StandardEditor &e = f.open();
    QLineEdit *editor = cellEditor(e);
    QTest::keyClick(editor, Qt::Key_Comma);
    QGuiApplication::clipboard()->setText(u"1,5"_s);
    editor->paste();
    QMimeData dropped;
    dropped.setText(u"\"7"_s);
    // As a drag from another program arrives: enter, move, drop.
    const QPoint at = editor->rect().center();
    QDragEnterEvent enter(at, Qt::CopyAction, &dropped, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(editor, &enter);
    QDragMoveEvent move(at, Qt::CopyAction, &dropped, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(editor, &move);
    QDropEvent drop(QPointF(at), Qt::CopyAction, &dropped, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(editor, &drop);
    QInputMethodEvent composed;
    composed.setCommitString(u"\U0001F600"_s);
    QCoreApplication::sendEvent(editor, &composed);

    QCOMPARE(editor->text(), u"10"_s);
    QCOMPARE(cellText(e, 1, 1), u"10"_s);
    QVERIFY(!isYellow(e, 1, 1));
    const QStringList told = f.questions();
    QVERIFY2(told.size() == 4, qPrintable(told.join(u"|")));
    QVERIFY2(told[0].startsWith(u"「,」"_s) && told[1].startsWith(u"「,」"_s), qPrintable(told.join(u'|')));
    QVERIFY2(told[2].startsWith(u"「\"」"_s), qPrintable(told[2]));
    QVERIFY2(told[3].startsWith(u"「\U0001F600」"_s), qPrintable(told[3]));

    // The same door lets a value that reads back through.
    QGuiApplication::clipboard()->setText(u"25"_s);
    editor->paste();
    QCOMPARE(cellText(e, 1, 1), u"1025"_s);
    QCOMPARE(f.questions().size(), 4);
}

// A cell loaded from a hand-edited file can still hold a quoted comma; the
// save reads its own output back and writes nothing that would come back shifted.
void TestStandardEditor::saveRefusesWhatWouldNotReadBack()
{
    EditorFixture f;
    f.writeTable({u"h"_s, u"\"1,2\",30,40,5,1.5,5,150,14,1,,,"_s, levelLine(2)});
    const QByteArray before = f.tableBytes();
    StandardEditor &e = f.open();
    QCOMPARE(cellText(e, 1, 1), u"1,2"_s);
    goTo(e, 2, 1);
    QTest::keyClick(cellEditor(e), Qt::Key_5);
    control<QPushButton>(&e, StandardEditorControls::SaveButton)->click();
    QCOMPARE(f.tableBytes(), before);
    QCOMPARE(f.questions().size(), 1);
    QVERIFY2(f.questions().at(0).startsWith(u"レベル1の「目標Time」の値「1,2」"_s), qPrintable(f.questions().at(0)));
    QVERIFY(grid(e)->item(1, 1)->background().color() == QColor(255, 255, 0));
}

void TestStandardEditor::changeAndChangeBackStaysYellow()
{
    EditorFixture f;
    StandardEditor &e = f.open();
    goTo(e, 2, 3);
    QTest::keyClick(cellEditor(e), Qt::Key_7);
    QTest::keyClick(cellEditor(e), Qt::Key_Backspace);
    QCOMPARE(cellText(e, 2, 3), u"40"_s);
    QVERIFY(isYellow(e, 2, 3));
    QVERIFY(!isYellow(e, 2, 2));
    QSignalSpy back(&e, &StandardEditor::backRequested);
    f.test.dialogs.setNextAnswers({DialogAnswer::No});
    control<QPushButton>(&e, StandardEditorControls::BackButton)->click();
    QCOMPARE(f.questions(), QStringList{SaveQuestion});
    QCOMPARE(back.count(), 1);
}

void TestStandardEditor::copyDownCountsAsAChange_data()
{
    QTest::addColumn<Qt::KeyboardModifier>("modifier");
    QTest::newRow("Shift") << Qt::ShiftModifier;
    QTest::newRow("Ctrl") << Qt::ControlModifier;
    QTest::newRow("Alt") << Qt::AltModifier;
}

void TestStandardEditor::copyDownCountsAsAChange()
{
    QFETCH(Qt::KeyboardModifier, modifier);
    EditorFixture f;
    StandardEditor &e = f.open();
    goTo(e, 3, 2);
    QTest::keyClick(cellEditor(e), Qt::Key_Down, modifier);
    QTest::keyClick(cellEditor(e), Qt::Key_Down, modifier);
    QCOMPARE(cellText(e, 4, 2), u"45"_s);
    QCOMPARE(cellText(e, 5, 2), u"45"_s);
    QCOMPARE(cellText(e, 6, 2), u"90"_s);
    QCOMPARE(cellEditor(e)->text(), u"45"_s);
    QVERIFY(isYellow(e, 5, 2));
    // Leaving asks, and Yes writes the copies.
    QSignalSpy back(&e, &StandardEditor::backRequested);
    control<QPushButton>(&e, StandardEditorControls::BackButton)->click();
    QCOMPARE(f.questions(), QStringList{SaveQuestion});
    QCOMPARE(back.count(), 1);
    QCOMPARE(f.state.LevelStandards[5].MinimumTime, 45);
}

void TestStandardEditor::borderKeysStillRefresh_data()
{
    QTest::addColumn<int>("level");
    QTest::addColumn<int>("column");
    QTest::addColumn<int>("key");
    QTest::newRow("Up on level 1") << 1 << 3 << int(Qt::Key_Up);
    QTest::newRow("Left on column 1") << 4 << 1 << int(Qt::Key_Left);
    QTest::newRow("Right on column 12") << 4 << 12 << int(Qt::Key_Right);
    QTest::newRow("Down on the last level") << 6 << 5 << int(Qt::Key_Down);
}

void TestStandardEditor::borderKeysStillRefresh()
{
    QFETCH(int, level);
    QFETCH(int, column);
    QFETCH(int, key);
    EditorFixture f;
    StandardEditor &e = f.open();
    goTo(e, level, column);
    const QRect place = cellEditor(e)->geometry();
    // A session recorded meanwhile at this level shows after the key.
    ResultFiles::write(f.resultsPath(), ResultFiles::encode({ResultFiles::record(Day, 2, qint16(level), 50)}));
    QTest::keyClick(cellEditor(e), Qt::Key(key));
    QCOMPARE(cellEditor(e)->geometry(), place);
    QCOMPARE(cellEditor(e)->text(), cellText(e, level, column));
    QCOMPARE(allResultsHeader(e), u"%1レベル 今まで1回  （★=1）"_s.arg(level));
}

void TestStandardEditor::escapeDoesNothing()
{
    EditorFixture f;
    StandardEditor &e = f.open();
    goTo(e, 2, 2);
    QTest::keyClick(cellEditor(e), Qt::Key_Escape);
    QCOMPARE(cellEditor(e)->text(), u"30"_s);
    QTest::keyClick(cellEditor(e), Qt::Key_Up);
    QCOMPARE(cellEditor(e)->text(), u"15"_s);
    QVERIFY(!isYellow(e, 2, 2));
}

void TestStandardEditor::columnHelp_data()
{
    QTest::addColumn<int>("column");
    QTest::addColumn<QString>("help");
    QTest::newRow("1") << 1 << u"合格基準タイム\n　大部分の人ががんばったら出せそうなタイムにしてください"_s;
    QTest::newRow("5")
        << 5
        << u"ポイント倍率\n  ポイントを何倍にして加算するか\n  むずかしいレベルや生徒のいやがるレベルは高くしてください"_s;
    QTest::newRow("7") << 7 << u"やりすぎ禁止ポイント\n  何ポイントとったらやりすぎ禁止にするか\n "_s;
    QTest::newRow("9") << 9 << u"やりすぎ判定をする日数\n　何日前からのポイントを有効にするか"_s;
    QTest::newRow("10") << 10 << QString();
}

void TestStandardEditor::columnHelp()
{
    QFETCH(int, column);
    QFETCH(QString, help);
    EditorFixture f;
    StandardEditor &e = f.open();
    goTo(e, 2, column);
    QCOMPARE(control<QLabel>(&e, StandardEditorControls::ColumnHelp)->text(), help);
}

// The editor keeps the focus from cell to cell; a notice says where it went.
void TestStandardEditor::readerHearsEachCell()
{
    EditorFixture f;
    f.writeTable({u"h"_s, u"12,30,40,5,1.5,5,150,14,1,,,"_s, u"22,31,40,5,1.5,5,150,14,1,,,"_s});
    StandardEditor &e = f.open();
    e.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&e));
    cellEditor(e)->setFocus();
    QCOMPARE(cellEditor(e)->accessibleName(), u"目標Time レベル1 12"_s);
    QTest::keyClick(cellEditor(e), Qt::Key_Down);
    QTest::keyClick(cellEditor(e), Qt::Key_Right);
    QCOMPARE(cellEditor(e)->accessibleName(), u"最低Time レベル2 31"_s);
    const auto *spoken = control<QLabel>(&e, StandardEditorControls::CellSpoken);
    QVERIFY(spoken->isVisible());
    QCOMPARE(spoken->accessibleName(), cellEditor(e)->accessibleName());
}

void TestStandardEditor::distributionFollowsTheLevel()
{
    EditorFixture f;
    StandardEditor &e = f.open();
    QCOMPARE(allResultsHeader(e), u"1レベル 今まで0回  （★=1）"_s);
    goTo(e, 4, 1);
    QCOMPARE(allResultsHeader(e), u"4レベル 今まで3回  （★=1）"_s);
    auto *best = control<QListWidget>(&e, StandardEditorControls::BestTimes);
    QCOMPARE(best->count(), 102);
    QCOMPARE(best->item(9)->text(), u"  80～★"_s);
    QCOMPARE(best->item(10)->text(), u"  90～"_s);
}

void TestStandardEditor::reloadKeepsTheQuestion()
{
    EditorFixture f;
    StandardEditor &e = f.open();
    goTo(e, 3, 1);
    QTest::keyClick(cellEditor(e), Qt::Key_9);
    QVERIFY(isYellow(e, 3, 1));
    control<QPushButton>(&e, StandardEditorControls::ReloadButton)->click();
    QCOMPARE(cellText(e, 3, 1), u"30"_s);
    QVERIFY(!isYellow(e, 3, 1));
    f.test.dialogs.setNextAnswers({DialogAnswer::No});
    control<QPushButton>(&e, StandardEditorControls::BackButton)->click();
    QCOMPARE(f.questions(), QStringList{SaveQuestion});
}

void TestStandardEditor::backAnswers_data()
{
    QTest::addColumn<DialogAnswer>("answer");
    QTest::addColumn<QString>("saved");
    QTest::newRow("Yes saves") << DialogAnswer::Yes << u"601"_s;
    QTest::newRow("No discards") << DialogAnswer::No << u"60"_s;
}

void TestStandardEditor::backAnswers()
{
    QFETCH(DialogAnswer, answer);
    QFETCH(QString, saved);
    EditorFixture f;
    StandardEditor &e = f.open();
    goTo(e, 6, 1);
    QTest::keyClick(cellEditor(e), Qt::Key_1);
    QSignalSpy back(&e, &StandardEditor::backRequested);
    f.test.dialogs.setNextAnswers({answer});
    control<QPushButton>(&e, StandardEditorControls::BackButton)->click();
    QCOMPARE(back.count(), 1);
    QCOMPARE(f.test.dialogs.shown.size(), 1);
    QCOMPARE(f.test.dialogs.shown[0].title, u"注意"_s);
    QCOMPARE(f.test.dialogs.shown[0].buttons, DialogButtons::YesNo);
    QVERIFY(QString::fromUtf8(f.tableBytes()).contains(u"\r\n"_s + saved + u",90,"_s));
    QVERIFY(control<QLabel>(&e, StandardEditorControls::WaitCover)->isVisible());
}

void TestStandardEditor::moreThan35LevelsAreNotWritten()
{
    EditorFixture f(36);
    const QByteArray before = f.tableBytes();
    StandardEditor &e = f.open();
    QCOMPARE(grid(e)->rowCount(), 36);
    QTest::keyClick(cellEditor(e), Qt::Key_1);
    QSignalSpy back(&e, &StandardEditor::backRequested);
    control<QPushButton>(&e, StandardEditorControls::BackButton)->click();
    QCOMPARE(f.test.dialogs.shown.size(), 2);
    QVERIFY(f.test.dialogs.shown[1].text.contains(u"35"_s));
    QCOMPARE(f.tableBytes(), before);
    // The edits stay on screen rather than being lost.
    QCOMPARE(back.count(), 0);
    QCOMPARE(cellText(e, 1, 1), u"101"_s);
}

void TestStandardEditor::laterSaveWinsWhole_data()
{
    QTest::addColumn<DialogAnswer>("answer");
    QTest::newRow("write over") << DialogAnswer::Yes;
    QTest::newRow("keep editing") << DialogAnswer::No;
}

void TestStandardEditor::laterSaveWinsWhole()
{
    QFETCH(DialogAnswer, answer);
    EditorFixture f;
    StandardEditor &first = f.open();
    StandardEditor &second = f.open();
    goTo(first, 2, 1);
    QTest::keyClick(cellEditor(first), Qt::Key_1);
    goTo(second, 5, 3);
    QTest::keyClick(cellEditor(second), Qt::Key_2);
    control<QPushButton>(&first, StandardEditorControls::SaveButton)->click();
    const QByteArray firstSaved = f.tableBytes();
    QVERIFY(f.test.dialogs.shown.isEmpty());

    f.test.dialogs.setNextAnswers({answer});
    control<QPushButton>(&second, StandardEditorControls::SaveButton)->click();
    QCOMPARE(f.questions(), QStringList{u"タイム回数データ.txt は、読み込んだ後にほかのパソコンで変更されています。\n"
                                        u"この画面の表で上書きしますか？"_s});
    const QString text = QString::fromUtf8(f.tableBytes());
    if (answer == DialogAnswer::Yes) {
        // The second table whole: the first one's change is gone, not mixed in.
        QVERIFY(text.contains(u"\r\n20,30,"_s));
        QVERIFY(text.contains(u"\r\n50,75,402,"_s));
        QCOMPARE(f.state.LevelStandards[5].ClearPoints, 402);
        QCOMPARE(f.state.LevelStandards[2].TargetTime, 20);
        // Written once, it is the loaded state: no second question.
        control<QPushButton>(&second, StandardEditorControls::SaveButton)->click();
        QCOMPARE(f.test.dialogs.shown.size(), 1);
    } else {
        QCOMPARE(f.tableBytes(), firstSaved);
        QCOMPARE(cellText(second, 5, 3), u"402"_s);
        QSignalSpy back(&second, &StandardEditor::backRequested);
        f.test.dialogs.setNextAnswers({DialogAnswer::Yes, DialogAnswer::No});
        control<QPushButton>(&second, StandardEditorControls::BackButton)->click();
        QCOMPARE(back.count(), 0);
    }
}

void TestStandardEditor::missingTableFile()
{
    EditorFixture f;
    QFile::remove(f.tablePath());
    StandardEditor &e = f.open();
    QCOMPARE(grid(e)->rowCount(), 0);
    QCOMPARE(f.test.dialogs.shown.size(), 1);
    QVERIFY(f.test.dialogs.shown[0].text.contains(f.tablePath()));
    QTest::keyClick(cellEditor(e), Qt::Key_Down);
    control<QPushButton>(&e, StandardEditorControls::SaveButton)->click();
    QCOMPARE(f.test.dialogs.shown.size(), 2);
    QVERIFY(f.test.dialogs.shown[1].text.contains(f.tablePath()));
    QVERIFY(!QFileInfo::exists(f.tablePath()));
    // Once the file is back, "元に戻す" loads it.
    f.writeTable(QStringList{Header} + levelLines(3));
    control<QPushButton>(&e, StandardEditorControls::ReloadButton)->click();
    QCOMPARE(grid(e)->rowCount(), 3);
}

void TestStandardEditor::missingResultsFile()
{
    EditorFixture f;
    QFile::remove(f.resultsPath());
    StandardEditor &e = f.open();
    QCOMPARE(f.test.dialogs.shown.size(), 1);
    QVERIFY(f.test.dialogs.shown[0].text.contains(f.resultsPath()));
    QVERIFY(!QFileInfo::exists(f.resultsPath()));
    goTo(e, 4, 3);
    QCOMPARE(f.test.dialogs.shown.size(), 1);
    QCOMPARE(allResultsHeader(e), u"4レベル 今まで0回  （★=1）"_s);
    ResultFiles::write(f.resultsPath(), ResultFiles::encode({ResultFiles::record(Day, 1, 4, 30)}));
    QTest::keyClick(cellEditor(e), Qt::Key_Left);
    QCOMPARE(allResultsHeader(e), u"4レベル 今まで1回  （★=1）"_s);
}

void TestStandardEditor::failedWriteKeepsTheEdits()
{
    EditorFixture f;
    StandardEditor &e = f.open();
    QTest::keyClick(cellEditor(e), Qt::Key_3);
    // The file's place is taken by a folder: nothing can be written there.
    QVERIFY(QFile::remove(f.tablePath()));
    QVERIFY(QDir().mkdir(f.tablePath()));
    QSignalSpy back(&e, &StandardEditor::backRequested);
    f.test.dialogs.setNextAnswers({DialogAnswer::Yes, DialogAnswer::Yes});
    control<QPushButton>(&e, StandardEditorControls::BackButton)->click();
    QCOMPARE(f.test.dialogs.shown.size(), 3);
    QCOMPARE(f.test.dialogs.shown[2].icon, DialogIcon::Critical);
    QVERIFY(f.test.dialogs.shown[2].text.contains(f.tablePath()));
    QCOMPARE(back.count(), 0);
    QVERIFY(!control<QLabel>(&e, StandardEditorControls::WaitCover)->isVisible());
}

QTEST_MAIN(TestStandardEditor)
#include "tst_standardeditor.moc"
