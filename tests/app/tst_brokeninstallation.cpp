#include <QTest>

#include <QCryptographicHash>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QMap>
#include <QRandomGenerator>
#include <QRegularExpression>

#include <limits>

#include "state/appstate.h"
#include "host/mainwindow.h"
#include "platform/wavfile.h"
#include "roster/ui/namescreen.h"
#include "store/resultrecord.h"
#include "support/resultfiles.h"
#include "support/schoolfolder.h"
#include "support/testplatform.h"

using namespace Qt::StringLiterals;

namespace {

enum class Damage { Missing, Empty, Truncated, RandomBytes, InvalidCp932, Huge, OutOfRange, FolderInPlace };

// What a start with the damaged file must come to.
enum class Outcome {
    Ends,           // a message naming `named`, then the program ends
    StartsAndWarns, // the name screen opens after a message naming `named`
    Starts,         // the name screen opens, nothing said: the documented fallback
};

struct Expected
{
    Outcome outcome = Outcome::Starts;
    QString named;
};

const QString PathData = u"パスデータ.txt"_s;
const QString CommonData = u"school/共通データ.txt"_s;
const QString Roster = u"school/新名簿.txt"_s;
const QString LevelTable = u"school/kazudori/タイム回数データ.txt"_s;
const QString CueList = u"school/音フォルダ/新音ファイル.txt"_s;
const QString Cue = u"school/音フォルダ/pinpon2.wav"_s;
const QString Results = u"school/kazudori/成績累積データ.dat"_s;
const QString DataFolder = u"school/kazudori/"_s;

constexpr qint64 HugeSize = 50LL * 1024 * 1024;

QString fileName(const QString &relative)
{
    return relative.mid(relative.lastIndexOf(u'/') + 1);
}

// The outcome of each file's damage. A settings file that cannot give its
// ten values stops the start; the roster is told and the program goes on
// without names; the cue list and the level table are read as far as they
// go, with missing values as zeros and unknown names skipped, but a table
// that leaves a drilled level without a time limit stops the start; a .wav is
// read only when played; the results file skips records it cannot use and
// is created when missing.
Expected expectedFor(const QString &file, Damage damage)
{
    const Expected ends{Outcome::Ends, fileName(file)};
    const Expected starts;
    // The first file read from it is the level table; the folder is named.
    if (file == DataFolder)
        return {Outcome::Ends, DataFolder};
    if (file == PathData) {
        // Value 1 becomes a base path that holds no common data file.
        if (damage == Damage::InvalidCp932 || damage == Damage::RandomBytes)
            return {Outcome::Ends, fileName(CommonData)};
        if (damage == Damage::Huge || damage == Damage::OutOfRange)
            return starts;
        return ends;
    }
    if (file == CommonData) {
        // Values that are not what they should be are taken as they come.
        const bool tooFewValues = damage == Damage::Missing || damage == Damage::Empty || damage == Damage::Truncated
                                  || damage == Damage::FolderInPlace;
        return tooFewValues ? ends : starts;
    }
    if (file == Roster) {
        // The zeros of the huge file read as one more entry, numbered 0.
        if (damage == Damage::Truncated)
            return starts;
        return {Outcome::StartsAndWarns, fileName(file)};
    }
    if (file == LevelTable) {
        // A table that leaves any drilled level without a time limit above 0 is refused.
        const bool levelsIntact = damage == Damage::InvalidCp932 || damage == Damage::Huge;
        return levelsIntact                   ? starts
               : damage == Damage::OutOfRange ? Expected{Outcome::Ends, u"レベル1の最低Time"_s}
                                              : ends;
    }
    if (file == CueList)
        return damage == Damage::Missing || damage == Damage::FolderInPlace ? ends : starts;
    if (file == Results)
        return damage == Damage::FolderInPlace ? Expected{Outcome::Ends, u"成績ランダムファイル表示"_s} : starts;
    return starts;
}

QByteArray randomBytes(qsizetype size)
{
    QRandomGenerator generator(17);
    QByteArray bytes(size, '\0');
    for (char &b : bytes)
        b = static_cast<char>(generator.bounded(256));
    return bytes;
}

// A RIFF header whose format fields are all at their largest.
QByteArray wavOutOfRange()
{
    QByteArray bytes("RIFF\xff\xff\xff\x7fWAVEfmt \x10\x00\x00\x00", 20);
    bytes += QByteArray(16, '\xff');
    bytes += QByteArray("data\xff\xff\xff\x7f", 8);
    return bytes + QByteArray(64, '\x11');
}

QByteArray resultsOutOfRange()
{
    QList<ResultRecord> records{
        ResultFiles::record(QDate(2026, 12, 1), 30000, 4, 80), ResultFiles::record(QDate(2026, 12, 1), 3, 300, 80),
        ResultFiles::record(QDate(2026, 12, 1), 3, 2, -5), ResultFiles::record(QDate(1800, 1, 1), 3, 2, 70)};
    records[3].date = -1e300;
    ResultRecord notANumber = ResultFiles::record(QDate(2026, 12, 1), 3, 1, 60);
    notANumber.date = std::numeric_limits<double>::quiet_NaN();
    ResultRecord infinite = ResultFiles::record(QDate(2026, 12, 1), 3, 1, 60);
    infinite.date = std::numeric_limits<double>::infinity();
    records << notANumber << infinite;
    return ResultFiles::encode(records);
}

QByteArray outOfRange(const QString &file, const SchoolFolder &school, const QByteArray &original)
{
    const QByteArray big = "99999999999999999999";
    QList<QByteArray> lines = original.split('\n');
    if (file == PathData) {
        // Values 2..10 are read and ignored, whatever they hold.
        for (qsizetype i = 1; i < lines.size(); ++i)
            if (!lines[i].trimmed().isEmpty())
                lines[i] = big + '\r';
        return lines.join('\n');
    }
    if (file == CommonData) {
        lines[0] = big + '\r';
        lines[2] = '-' + big + '\r';
        return lines.join('\n');
    }
    if (file == Roster)
        return original + "70000,99999,99999,-99999,\"AAA\",99999,\"\",\"\"\r\n-1,0,0,0,\"BBB\",0,\"\",\"\"\r\n";
    if (file == LevelTable) {
        lines[1] = big + ",-" + big + "," + big + ",99999,1e40,-5," + big + ",-1," + big + ",,,\r";
        return lines.join('\n');
    }
    if (file == CueList)
        return "正解音2," + big + ",*\r\n" + original;
    if (file == Cue)
        return wavOutOfRange();
    Q_UNUSED(school);
    return resultsOutOfRange();
}

void damage(const SchoolFolder &school, const QString &file, Damage how)
{
    const QString path = school.layout().root + file;
    const QByteArray original = school.readBytes(path);
    switch (how) {
    case Damage::Missing:
        if (path.endsWith(u'/'))
            QDir(path).removeRecursively();
        else
            QFile::remove(path);
        break;
    case Damage::Empty:
        school.writeBytes(file, {});
        break;
    case Damage::Truncated:
        // Half a record, half a line, maybe half a character.
        school.writeBytes(file, original.left(original.size() / 2 + 1));
        break;
    case Damage::RandomBytes:
        school.writeBytes(file, randomBytes(4096));
        break;
    case Damage::InvalidCp932:
        // No cp932 character starts with 0xFF or has 0x7F as its second byte.
        school.writeBytes(file, QByteArray("\x81\x7f\xff\xfd\xa0", 5) + original);
        break;
    case Damage::Huge: {
        school.writeBytes(file, original);
        QFile grown(path);
        // Sparse: nothing is written for the zeros.
        if (!grown.resize(HugeSize))
            qFatal("cannot grow %s", qPrintable(path));
        break;
    }
    case Damage::OutOfRange:
        school.writeBytes(file, outOfRange(file, school, original));
        break;
    case Damage::FolderInPlace:
        QFile::remove(path);
        QDir().mkpath(path);
        break;
    }
}

// Every file and folder under the school with a hash of its contents.
QMap<QString, QByteArray> snapshot(const QString &root)
{
    QMap<QString, QByteArray> found;
    QDirIterator it(root, QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        const QFileInfo info = it.fileInfo();
        if (info.isDir()) {
            found.insert(path + u'/', {});
            continue;
        }
        QFile file(path);
        QCryptographicHash hash(QCryptographicHash::Sha256);
        if (file.open(QIODevice::ReadOnly))
            hash.addData(&file);
        found.insert(path, hash.result());
    }
    return found;
}

// An English system text ("Unknown error", "Permission denied") has two
// words of Latin letters in a row; paths and the fixed fields never do.
bool looksEnglish(const QString &text)
{
    static const QRegularExpression words(u"[A-Za-z]{2,}[ ,.]+[A-Za-z]{2,}"_s);
    return words.match(text).hasMatch();
}

} // namespace

Q_DECLARE_METATYPE(Damage)
Q_DECLARE_METATYPE(Outcome)

class TestBrokenInstallation : public QObject
{
    Q_OBJECT

private slots:
    void startTellsOrFallsBack_data();
    void startTellsOrFallsBack();
};

void TestBrokenInstallation::startTellsOrFallsBack_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<Damage>("how");

    const QList<std::pair<Damage, const char *>> damages{{Damage::Missing, "missing"},
                                                         {Damage::Empty, "empty"},
                                                         {Damage::Truncated, "truncated"},
                                                         {Damage::RandomBytes, "random bytes"},
                                                         {Damage::InvalidCp932, "invalid cp932"},
                                                         {Damage::Huge, "huge"},
                                                         {Damage::OutOfRange, "out of range"},
                                                         {Damage::FolderInPlace, "folder in its place"}};
    for (const QString &file : {PathData, CommonData, Roster, LevelTable, CueList, Cue, Results}) {
        for (const auto &[how, name] : damages)
            QTest::addRow("%s, %s", qPrintable(fileName(file)), name) << file << how;
    }
    QTest::addRow("data folder, missing") << DataFolder << Damage::Missing;
}

void TestBrokenInstallation::startTellsOrFallsBack()
{
    QFETCH(QString, file);
    QFETCH(Damage, how);
    const Expected expected = expectedFor(file, how);

    SchoolFolder school;
    QVERIFY(school.isValid());
    const QString root = school.layout().root;
    const QString resultsPath = root + Results;
    // A folder is named by its whole path, as the teacher must find it.
    const QString named =
        expected.named.endsWith(u'/') ? QDir::toNativeSeparators(root + expected.named) : expected.named;
    damage(school, file, how);
    const QMap<QString, QByteArray> before = snapshot(root);

    TestPlatform test;
    AppState state;
    MainWindow host(state, test.platform, school.layout().programFolder);
    host.showSplash();
    QTRY_VERIFY(test.programEnd.ended || qobject_cast<NameScreen *>(host.currentScreen()));

    const QStringList texts = test.dialogs.texts();
    for (const ShownDialog &dialog : test.dialogs.shown) {
        QCOMPARE(dialog.title, u"注意"_s);
        QVERIFY2(!looksEnglish(dialog.text), qPrintable(dialog.text));
    }
    switch (expected.outcome) {
    case Outcome::Ends:
        QVERIFY2(test.programEnd.ended, qPrintable(texts.join(u'\n')));
        QCOMPARE(texts.size(), 1);
        QVERIFY2(texts[0].contains(named), qPrintable(texts[0]));
        break;
    case Outcome::StartsAndWarns:
        QVERIFY2(!test.programEnd.ended, qPrintable(texts.join(u'\n')));
        QCOMPARE(texts.size(), 1);
        QVERIFY2(texts[0].contains(named), qPrintable(texts[0]));
        break;
    case Outcome::Starts:
        QVERIFY2(!test.programEnd.ended, qPrintable(texts.join(u'\n')));
        QVERIFY2(texts.isEmpty(), qPrintable(texts.join(u'\n')));
        break;
    }

    QMap<QString, QByteArray> after = snapshot(root);
    // Only a missing results file is made, empty, when it is first read.
    if (file == Results && how == Damage::Missing && !test.programEnd.ended) {
        QCOMPARE(after.take(resultsPath), QCryptographicHash::hash({}, QCryptographicHash::Sha256));
    }
    QCOMPARE(after.keys(), before.keys());
    QVERIFY(after == before);

    // A cue that cannot be read is told when it is played, in Japanese.
    if (file == Cue) {
        QString error;
        const bool read = WavFile::read(root + file, &error).has_value();
        QVERIFY2(read || (!error.isEmpty() && !looksEnglish(error)), qPrintable(error));
        // A data chunk cut short plays what is there; zeros after it are not read.
        QCOMPARE(read, how == Damage::Truncated || how == Damage::Huge);
    }
}

QTEST_MAIN(TestBrokenInstallation)
#include "tst_brokeninstallation.moc"
