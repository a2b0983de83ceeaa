#include <QTest>

#include "drill/answerentry.h"

using namespace Qt::StringLiterals;
using Action = AnswerEntry::Action;
using Stage = AnswerEntry::Stage;

Q_DECLARE_METATYPE(AnswerEntry::Action)
Q_DECLARE_METATYPE(AnswerEntry::Stage)

namespace {

// Types every character of `keys`; returns the action of the last one.
Action type(AnswerEntry &entry, const QString &keys)
{
    Action last = Action::None;
    for (QChar key : keys)
        last = entry.characterKey(key);
    return last;
}

} // namespace

class TestAnswerEntry : public QObject
{
    Q_OBJECT

private slots:
    void answering_data();
    void answering();
    void confirming_data();
    void confirming();
    void clearingKeysKeepTheConfirmationPending();
    void keysAreIgnoredOutsideAnswering_data();
    void keysAreIgnoredOutsideAnswering();
    void keyEventsMapToCharacters();
};

void TestAnswerEntry::answering_data()
{
    QTest::addColumn<QString>("keys");
    QTest::addColumn<QString>("text");
    QTest::addColumn<Action>("lastAction");

    QTest::newRow("digits") << u"12"_s << u"12"_s << Action::TextChanged;
    QTest::newRow("plus is part of the answer") << u"1+"_s << u"1+"_s << Action::TextChanged;
    QTest::newRow("all of * to 9 are taken") << u"*/."_s << u"*/."_s << Action::TextChanged;
    QTest::newRow("letters are dropped") << u"1a2"_s << u"12"_s << Action::TextChanged;
    QTest::newRow("a letter alone does nothing") << u"a"_s << QString() << Action::None;
    QTest::newRow("fourth character warns") << u"1234"_s << u"123"_s << Action::Warn;
    QTest::newRow("full answer warns even for a letter") << u"123x"_s << u"123"_s << Action::Warn;
    QTest::newRow("backspace removes the last character") << u"12\b"_s << u"1"_s << Action::TextChanged;
    QTest::newRow("backspace on a full answer") << u"123\b4"_s << u"124"_s << Action::TextChanged;
    QTest::newRow("backspace on nothing") << u"\b"_s << QString() << Action::None;
    QTest::newRow("space judges") << u"7 "_s << u"7"_s << Action::Judge;
    QTest::newRow("space judges a full answer") << u"123 "_s << u"123"_s << Action::Judge;
    QTest::newRow("space judges an empty answer") << u" "_s << QString() << Action::Judge;
    QTest::newRow("carriage return is no answer character") << u"1\r"_s << u"1"_s << Action::None;
}

void TestAnswerEntry::answering()
{
    QFETCH(QString, keys);
    QFETCH(QString, text);
    QFETCH(Action, lastAction);
    AnswerEntry entry;
    QCOMPARE(type(entry, keys), lastAction);
    QCOMPARE(entry.text(), text);
    QCOMPARE(entry.confirmStage(), Stage::Answering);
}

void TestAnswerEntry::confirming_data()
{
    QTest::addColumn<QString>("keys");
    QTest::addColumn<Action>("lastAction");
    QTest::addColumn<Stage>("stage");

    QTest::newRow("plus twice confirms") << u"++"_s << Action::Confirm << Stage::AwaitingSecondPlus;
    QTest::newRow("one plus waits") << u"+"_s << Action::None << Stage::AwaitingSecondPlus;
    QTest::newRow("plus, other, plus does not") << u"+1+"_s << Action::None << Stage::AwaitingSecondPlus;
    QTest::newRow("then a further plus does") << u"+1++"_s << Action::Confirm << Stage::AwaitingSecondPlus;
    QTest::newRow("space is another key") << u"+ +"_s << Action::None << Stage::AwaitingSecondPlus;
    QTest::newRow("backspace is another key") << u"+\b"_s << Action::None << Stage::AwaitingPlus;
    QTest::newRow("digits never enter the answer") << u"99"_s << Action::None << Stage::AwaitingPlus;
}

void TestAnswerEntry::confirming()
{
    QFETCH(QString, keys);
    QFETCH(Action, lastAction);
    QFETCH(Stage, stage);
    AnswerEntry entry;
    type(entry, u"12"_s);
    entry.startConfirming();
    QCOMPARE(type(entry, keys), lastAction);
    QCOMPARE(entry.confirmStage(), stage);
    // The wrong answer stays on the screen until the confirmation is done.
    QCOMPARE(entry.text(), u"12"_s);
    if (lastAction == Action::Confirm) {
        entry.finishConfirming();
        QCOMPARE(entry.confirmStage(), Stage::Answering);
        QVERIFY(entry.text().isEmpty());
        QCOMPARE(type(entry, u"5"_s), Action::TextChanged);
    }
}

void TestAnswerEntry::clearingKeysKeepTheConfirmationPending()
{
    AnswerEntry entry;
    type(entry, u"19"_s);
    entry.startConfirming();
    entry.characterKey(u'+');
    entry.clear();
    QVERIFY(entry.text().isEmpty());
    QCOMPARE(entry.confirmStage(), Stage::AwaitingSecondPlus);
    // Return also arrives as a character, which counts as another key.
    entry.characterKey(u'\r');
    QCOMPARE(entry.confirmStage(), Stage::AwaitingPlus);
    QCOMPARE(type(entry, u"++"_s), Action::Confirm);
}

void TestAnswerEntry::keysAreIgnoredOutsideAnswering_data()
{
    QTest::addColumn<bool>("startPanel");
    QTest::addColumn<bool>("timedOut");
    QTest::addColumn<bool>("allDone");
    QTest::addColumn<bool>("judging");
    QTest::addColumn<bool>("accepting");

    QTest::newRow("answering") << false << false << false << false << true;
    QTest::newRow("start panel") << true << false << false << false << false;
    QTest::newRow("timed out") << false << true << false << false << false;
    QTest::newRow("all done") << false << false << true << false << false;
    QTest::newRow("judging") << false << false << false << true << false;
}

void TestAnswerEntry::keysAreIgnoredOutsideAnswering()
{
    QFETCH(bool, startPanel);
    QFETCH(bool, timedOut);
    QFETCH(bool, allDone);
    QFETCH(bool, judging);
    QFETCH(bool, accepting);
    QCOMPARE(AnswerEntry::accepting(startPanel, timedOut, allDone, judging), accepting);
}

void TestAnswerEntry::keyEventsMapToCharacters()
{
    using DrillKeys::characterOf;
    using DrillKeys::isClearingKey;
    QCOMPARE(characterOf(Qt::Key_Plus, u"+"_s), std::optional<QChar>(u'+'));
    QCOMPARE(characterOf(Qt::Key_Return, u"\r"_s), std::optional<QChar>(u'\r'));
    QCOMPARE(characterOf(Qt::Key_Enter, QString()), std::optional<QChar>(u'\r'));
    QCOMPARE(characterOf(Qt::Key_Backspace, QString()), std::optional<QChar>(u'\b'));
    QCOMPARE(characterOf(Qt::Key_Shift, QString()), std::nullopt);
    QCOMPARE(characterOf(Qt::Key_Left, QString()), std::nullopt);
    for (int key : {Qt::Key_Return, Qt::Key_Enter, Qt::Key_Left, Qt::Key_Right, Qt::Key_Up, Qt::Key_Down})
        QVERIFY(isClearingKey(key));
    for (int key : {Qt::Key_Space, Qt::Key_Backspace, Qt::Key_Plus, Qt::Key_Escape, Qt::Key_Tab})
        QVERIFY(!isClearingKey(key));
}

QTEST_APPLESS_MAIN(TestAnswerEntry)
#include "tst_answerentry.moc"
