#include <QTest>

#include "state/appstate.h"
#include "state/startup.h"
#include "app/valuestream.h"
#include "support/schoolfolder.h"

using namespace Qt::StringLiterals;

class TestSettings : public QObject
{
    Q_OBJECT

private slots:
    void valueStream_data();
    void valueStream();
    void valueStreamNumbers();
    void siteCode_data();
    void siteCode();
    void dataFolder_data();
    void dataFolder();
    void loadsTheDemoSchool();
    void tenValuesOverAnyNumberOfLines();
    void badSettings_data();
    void badSettings();
    void levelCatalogue();
};

void TestSettings::valueStream_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("values");
    QTest::addColumn<bool>("blankLinesAreValues");
    QTest::newRow("settings: a blank line is an empty value")
        << QStringLiteral("a\r\n\r\n \r\nb\r\n\r\n") << QStringList{u"a"_s, QString(), QString(), u"b"_s, QString()}
        << true;
    QTest::newRow("settings: the last line break ends the last line")
        << QStringLiteral("a\r\n") << QStringList{u"a"_s} << true;
    QTest::newRow("commas") << QStringLiteral("a,b,c") << QStringList{u"a"_s, u"b"_s, u"c"_s} << false;
    QTest::newRow("line ends") << QStringLiteral("a\r\nb\r\nc\r\n") << QStringList{u"a"_s, u"b"_s, u"c"_s} << false;
    QTest::newRow("blanks dropped") << QStringLiteral("  a b ,\tc\t\r\n") << QStringList{u"a b"_s, u"c"_s} << false;
    QTest::newRow("quotes protect commas") << QStringLiteral("\"x, y\",z") << QStringList{u"x, y"_s, u"z"_s} << false;
    QTest::newRow("quoted blanks kept") << QStringLiteral("\"  x  \"\r\n") << QStringList{u"  x  "_s} << false;
    QTest::newRow("trailing commas give empties")
        << QStringLiteral("a,,,\r\nb") << QStringList{u"a"_s, QString(), QString(), QString(), u"b"_s} << false;
    QTest::newRow("tables: blank lines are no values")
        << QStringLiteral("a\r\n\r\n\r\nb\r\n\r\n") << QStringList{u"a"_s, u"b"_s} << false;
    QTest::newRow("final comma") << QStringLiteral("a,") << QStringList{u"a"_s, QString()} << false;
    QTest::newRow("lone LF") << QStringLiteral("a\nb") << QStringList{u"a"_s, u"b"_s} << false;
    QTest::newRow("empty") << QString() << QStringList{} << false;
}

void TestSettings::valueStream()
{
    QFETCH(QString, text);
    QFETCH(QStringList, values);
    QFETCH(bool, blankLinesAreValues);
    ValueStream stream(text, blankLinesAreValues ? ValueStream::BlankLines::AreEmptyValues
                                                 : ValueStream::BlankLines::Skipped);
    QStringList read;
    while (!stream.atEnd())
        read.append(stream.next());
    QCOMPARE(read, values);
}

void TestSettings::valueStreamNumbers()
{
    ValueStream stream(QStringLiteral(" 12 ,-3.5,abc,7x,\"42\""));
    QCOMPARE(stream.nextNumber(), 12.0);
    QCOMPARE(stream.nextNumber(), -3.5);
    QCOMPARE(stream.nextNumber(), 0.0);
    QCOMPARE(stream.nextNumber(), 7.0);
    QCOMPARE(stream.nextNumber(), 42.0);
    QVERIFY(stream.atEnd());
}

void TestSettings::siteCode_data()
{
    QTest::addColumn<QString>("value");
    QTest::addColumn<QString>("code");
    QTest::addColumn<QString>("title");
    QTest::newRow("code and title") << u"00123North"_s << u"00123"_s << u"North"_s;
    QTest::newRow("no code") << u"North"_s << QString() << u"North"_s;
    QTest::newRow("zero code") << u"00000North"_s << QString() << u"00000North"_s;
    QTest::newRow("short number") << u"12"_s << u"12"_s << QString();
    QTest::newRow("japanese title") << u"00123カズドリ教室"_s << u"00123"_s << u"カズドリ教室"_s;
}

void TestSettings::siteCode()
{
    QFETCH(QString, value);
    QFETCH(QString, code);
    QFETCH(QString, title);
    const auto split = Startup::splitSiteCode(value);
    QCOMPARE(split.code, code);
    QCOMPARE(split.title, title);
}

void TestSettings::dataFolder_data()
{
    QTest::addColumn<QString>("basePath");
    QTest::addColumn<QString>("programFolder");
    QTest::addColumn<QString>("dataFolder");
    QTest::addColumn<QString>("soundFolder");
    QTest::newRow("windows base") << u"E:\\juku\\"_s << u"D:\\drill\\calc"_s << u"E:/juku/calc/"_s
                                  << u"E:/juku/音フォルダ/"_s;
    QTest::newRow("base without separator")
        << u"E:\\juku"_s << u"D:\\drill\\calc\\"_s << u"E:/jukucalc/"_s << u"E:/juku音フォルダ/"_s;
    QTest::newRow("unix base") << u"/srv/juku/"_s << u"/opt/drill/calc/"_s << u"/srv/juku/calc/"_s
                               << u"/srv/juku/音フォルダ/"_s;
}

void TestSettings::dataFolder()
{
    QFETCH(QString, basePath);
    QFETCH(QString, programFolder);
    QFETCH(QString, dataFolder);
    QFETCH(QString, soundFolder);
    // Only the folder arithmetic is checked here; the files need not exist.
    AppState state;
    state.BasePath = Startup::normalizeSeparators(basePath);
    const QString name = Startup::folderName(programFolder);
    QCOMPARE(state.BasePath + name + u'/', dataFolder);
    QCOMPARE(state.BasePath + u"音フォルダ/"_s, soundFolder);
    QCOMPARE(Startup::folderName(u"D:\\"_s), QString());
}

void TestSettings::loadsTheDemoSchool()
{
    SchoolFolder school;
    QVERIFY(school.isValid());
    AppState state;
    const auto error = Startup::LoadStartupData(state, school.layout().programFolder);
    QVERIFY2(!error.failed(), qPrintable(error.message()));
    QCOMPARE(state.BasePath, school.layout().basePath);
    QCOMPARE(state.ProgramFolderName, u"kazudori"_s);
    QCOMPARE(state.DataFolder, school.layout().dataFolder);
    QCOMPARE(state.SoundFolder, school.layout().soundFolder);
    QCOMPARE(state.RosterFolder, state.BasePath);
    QCOMPARE(state.SchoolYearStartMonth, 4);
    QCOMPARE(state.SiteCode, u"00123"_s);
    QCOMPARE(state.SiteTitle, u"カズドリ算数教室"_s);
    QCOMPARE(state.KeyPassLocation, school.layout().keyFolder);
    QCOMPARE(state.ContentTitle, u"カズドリ"_s);
    QCOMPARE(state.LevelStandards[1].TargetTime, 120);
    QCOMPARE(state.LevelStandards[4].PointMultiplier, 1.5f);
}

void TestSettings::tenValuesOverAnyNumberOfLines()
{
    SchoolFolder school;
    // Path data: ten values on one line, values 2..10 anything at all.
    school.writeText(u"パスデータ.txt"_s, {school.layout().basePath + u",\"a,b\",,x y,-,,,,,"_s});
    school.writeText(u"school/共通データ.txt"_s,
                     {u"4"_s, u"00077Nishi"_s, u"1,0"_s, u"\"C:\\key\\\""_s, u"0,0,0,0,0"_s});
    AppState state;
    const auto error = Startup::LoadStartupData(state, school.layout().programFolder);
    QVERIFY2(!error.failed(), qPrintable(error.message()));
    QCOMPARE(state.SiteCode, u"00077"_s);
    QCOMPARE(state.SiteTitle, u"Nishi"_s);
    QCOMPARE(state.RosterStatusSwitch, 1);
    QCOMPARE(state.KeyPassLocation, u"C:/key/"_s);

    // One value per line, the unused ones written as empty lines.
    school.writeText(u"パスデータ.txt"_s, QStringList{school.layout().basePath} + QStringList(9));
    school.writeText(u"school/共通データ.txt"_s, {u"4"_s, u"00077Nishi"_s, u"1"_s, QString(), u"C:\\key\\"_s, QString(),
                                                  QString(), QString(), QString(), QString()});
    const auto fromLines = Startup::LoadStartupData(state, school.layout().programFolder);
    QVERIFY2(!fromLines.failed(), qPrintable(fromLines.message()));
    QCOMPARE(state.BasePath, school.layout().basePath);
    QCOMPARE(state.KeyPassLocation, u"C:/key/"_s);
}

void TestSettings::badSettings_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<bool>("removeIt");
    QTest::addColumn<QStringList>("content");
    QTest::newRow("path data missing") << u"パスデータ.txt"_s << true << QStringList();
    QTest::newRow("path data short") << u"パスデータ.txt"_s << false << QStringList{u"a,b,c"_s};
    QTest::newRow("common data missing") << u"school/共通データ.txt"_s << true << QStringList();
    QTest::newRow("common data short") << u"school/共通データ.txt"_s << false << QStringList{u"4,North,0,0,,0,0,0,0"_s};
    QTest::newRow("level table missing") << u"school/kazudori/タイム回数データ.txt"_s << true << QStringList();
}

void TestSettings::badSettings()
{
    QFETCH(QString, file);
    QFETCH(bool, removeIt);
    QFETCH(QStringList, content);
    SchoolFolder school;
    if (removeIt)
        school.remove(file);
    else
        school.writeText(file, content);
    AppState state;
    const auto error = Startup::LoadStartupData(state, school.layout().programFolder);
    QVERIFY(error.failed());
    const QString name = file.section(u'/', -1);
    QVERIFY2(error.message().contains(name), qPrintable(error.message()));
}

void TestSettings::levelCatalogue()
{
    AppState state;
    Startup::SetUpLevelCatalogue(state);
    QCOMPARE(state.LevelCount, 4);
    QCOMPARE(state.GoalLevel, 4);
    QCOMPARE(state.LevelNames[1], u"足し算"_s);
    QCOMPARE(state.LevelNames[4], u"わり算"_s);
    QCOMPARE(state.LevelKind[3], TimedLevelKind);
    QCOMPARE(state.LevelKind[5], 0);
}

QTEST_GUILESS_MAIN(TestSettings)
#include "tst_settings.moc"
