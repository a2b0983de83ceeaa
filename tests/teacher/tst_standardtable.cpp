#include <QTest>

#include "app/levelstandard.h"
#include "teacher/standardtable.h"

using namespace Qt::StringLiterals;

namespace {

// A file text of `levels` level lines under an old-style header.
QString fileText(int levels)
{
    QString text = u"old header,,\r\n"_s;
    for (int level = 1; level <= levels; ++level)
        text += u"%1,%2,40,5,1.5,5,150,14,1,,,\r\n"_s.arg(level * 10).arg(level * 15);
    return text;
}

using Move = StandardTable::Move;

} // namespace

Q_DECLARE_METATYPE(StandardTable::Move)
Q_DECLARE_METATYPE(CellKeys::Action)

class TestStandardTable : public QObject
{
    Q_OBJECT

private slots:
    void savedRowsStartWithTheFixedHeader();
    void keyActions_data();
    void keyActions();
    void movesStayInsideTheTable_data();
    void movesStayInsideTheTable();
    void copyDownIsAChange();
    void copyDownStopsAtTheLastLevel();
    void aChangeBackStaysMarked();
    void reloadKeepsTheChangedState();
};

void TestStandardTable::savedRowsStartWithTheFixedHeader()
{
    StandardTable table;
    table.load(fileText(20));
    QCOMPARE(table.levelCount(), 20);
    const QList<QStringList> rows = table.fileRows();
    QCOMPARE(rows.size(), 21);
    QCOMPARE(rows[0].join(u','), u"目標Time,最低Time,ｸﾘｱﾎﾟｲﾝﾄ,ｸﾘｱ回数,ﾎﾟｲﾝﾄ倍率,禁回,禁点,判期間,禁期間,,,"_s);
    QCOMPARE(rows[20].join(u','), u"200,300,40,5,1.5,5,150,14,1,,,"_s);
    QCOMPARE(table.cell(7, 2), u"105"_s);
    QVERIFY(!table.changed());
}

void TestStandardTable::keyActions_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<Qt::KeyboardModifiers>("modifiers");
    QTest::addColumn<QString>("text");
    QTest::addColumn<CellKeys::Action>("action");
    using A = CellKeys::Action;
    const Qt::KeyboardModifiers none;
    QTest::newRow("Esc") << int(Qt::Key_Escape) << none << u"\x1b"_s << A::Ignore;
    QTest::newRow("Space") << int(Qt::Key_Space) << none << u" "_s << A::Clear;
    QTest::newRow("Down") << int(Qt::Key_Down) << none << QString() << A::Down;
    QTest::newRow("keypad Down") << int(Qt::Key_Down) << Qt::KeyboardModifiers(Qt::KeypadModifier) << QString()
                                 << A::Down;
    QTest::newRow("Shift+Down") << int(Qt::Key_Down) << Qt::KeyboardModifiers(Qt::ShiftModifier) << QString()
                                << A::CopyDown;
    QTest::newRow("Ctrl+Down") << int(Qt::Key_Down) << Qt::KeyboardModifiers(Qt::ControlModifier) << QString()
                               << A::CopyDown;
    QTest::newRow("Alt+Down") << int(Qt::Key_Down) << Qt::KeyboardModifiers(Qt::AltModifier) << QString()
                              << A::CopyDown;
    QTest::newRow("Shift+Up") << int(Qt::Key_Up) << Qt::KeyboardModifiers(Qt::ShiftModifier) << QString() << A::Up;
    QTest::newRow("digit") << int(Qt::Key_5) << none << u"5"_s << A::Type;
    QTest::newRow("point") << int(Qt::Key_Period) << none << u"."_s << A::Type;
    QTest::newRow("Backspace") << int(Qt::Key_Backspace) << none << u"\b"_s << A::Type;
    QTest::newRow("Delete") << int(Qt::Key_Delete) << none << u"\x7f"_s << A::Swallow;
    QTest::newRow("Home") << int(Qt::Key_Home) << none << QString() << A::Swallow;
    QTest::newRow("Enter") << int(Qt::Key_Return) << none << u"\r"_s << A::Swallow;
    QTest::newRow("Ctrl+A") << int(Qt::Key_A) << Qt::KeyboardModifiers(Qt::ControlModifier) << u"\x01"_s << A::Swallow;
    QTest::newRow("comma") << int(Qt::Key_Comma) << none << u","_s << A::Type;
    QTest::newRow("quote") << int(Qt::Key_QuoteDbl) << Qt::KeyboardModifiers(Qt::ShiftModifier) << u"\""_s << A::Type;
    QTest::newRow("Tab") << int(Qt::Key_Tab) << none << u"\t"_s << A::PassOn;
}

void TestStandardTable::keyActions()
{
    QFETCH(int, key);
    QFETCH(Qt::KeyboardModifiers, modifiers);
    QFETCH(QString, text);
    QFETCH(CellKeys::Action, action);
    QCOMPARE(CellKeys::actionFor(key, modifiers, text), action);
}

void TestStandardTable::movesStayInsideTheTable_data()
{
    QTest::addColumn<int>("level");
    QTest::addColumn<int>("column");
    QTest::addColumn<StandardTable::Move>("move");
    QTest::addColumn<int>("toLevel");
    QTest::addColumn<int>("toColumn");
    QTest::newRow("Up on level 1") << 1 << 4 << Move::Up << 1 << 4;
    QTest::newRow("Up") << 3 << 4 << Move::Up << 2 << 4;
    QTest::newRow("Down on the last level") << 5 << 4 << Move::Down << 5 << 4;
    QTest::newRow("Down") << 4 << 4 << Move::Down << 5 << 4;
    QTest::newRow("Left on column 1") << 2 << 1 << Move::Left << 2 << 1;
    QTest::newRow("Left") << 2 << 2 << Move::Left << 2 << 1;
    QTest::newRow("Right on column 12") << 2 << 12 << Move::Right << 2 << 12;
    QTest::newRow("Right") << 2 << 11 << Move::Right << 2 << 12;
}

void TestStandardTable::movesStayInsideTheTable()
{
    QFETCH(int, level);
    QFETCH(int, column);
    QFETCH(StandardTable::Move, move);
    QFETCH(int, toLevel);
    QFETCH(int, toColumn);
    StandardTable table;
    table.load(fileText(5));
    table.setCurrent(level, column);
    QCOMPARE(table.move(move), toLevel != level || toColumn != column);
    QCOMPARE(table.currentLevel(), toLevel);
    QCOMPARE(table.currentColumn(), toColumn);
}

void TestStandardTable::copyDownIsAChange()
{
    StandardTable table;
    table.load(fileText(6));
    table.setCurrent(3, 2);
    QVERIFY(table.copyDown(u"45"_s));
    QVERIFY(table.copyDown(u"45"_s));
    QCOMPARE(table.cell(4, 2), u"45"_s);
    QCOMPARE(table.cell(5, 2), u"45"_s);
    QCOMPARE(table.cell(6, 2), u"90"_s);
    QCOMPARE(table.currentLevel(), 3);
    QVERIFY(table.changed());
    QVERIFY(table.isMarked(4, 2));
    QVERIFY(table.isMarked(5, 2));
    // Level 3 already held 45: nothing changed there.
    QVERIFY(!table.isMarked(3, 2));

    // Moving collapses the reach of the copy to the new cell.
    QVERIFY(table.move(Move::Right));
    QVERIFY(table.copyDown(table.currentText()));
    QCOMPARE(table.selectionEnd(), 4);
    QCOMPARE(table.cell(4, 3), u"40"_s);
}

void TestStandardTable::copyDownStopsAtTheLastLevel()
{
    StandardTable table;
    table.load(fileText(4));
    table.setCurrent(3, 1);
    QVERIFY(table.copyDown(u"30"_s));
    QVERIFY(!table.copyDown(u"30"_s));
    QCOMPARE(table.selectionEnd(), 4);
    QCOMPARE(table.levelCount(), 4);
    QVERIFY(table.cell(5, 1).isEmpty());
}

void TestStandardTable::aChangeBackStaysMarked()
{
    StandardTable table;
    table.load(fileText(3));
    table.setCurrent(2, 1);
    table.setCurrentText(u"201"_s);
    table.setCurrentText(u"20"_s);
    QCOMPARE(table.cell(2, 1), u"20"_s);
    QVERIFY(table.isMarked(2, 1));
    QVERIFY(table.changed());
    table.markSaved();
    QVERIFY(!table.changed());
}

void TestStandardTable::reloadKeepsTheChangedState()
{
    StandardTable table;
    table.load(fileText(3));
    table.setCurrent(2, 5);
    table.setCurrentText(u"2"_s);
    table.load(fileText(3));
    QCOMPARE(table.cell(2, 5), u"1.5"_s);
    QVERIFY(!table.isMarked(2, 5));
    QVERIFY(table.changed());
    QCOMPARE(table.currentLevel(), 1);
    QCOMPARE(table.currentColumn(), 1);
}

QTEST_GUILESS_MAIN(TestStandardTable)
#include "tst_standardtable.moc"
