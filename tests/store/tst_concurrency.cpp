#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <memory>
#include <set>

#include "app/appstate.h"
#include "store/resultsfile.h"
#include "support/resultfiles.h"
#include "support/testplatform.h"

// Several copies of the program sharing one results file, each a process of
// its own running helper_appender.
class TestConcurrency : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void appendersNeverInterleave();
    void appendWaitsForAnotherCopysLock();

private:
    std::unique_ptr<QProcess> start(const QStringList &arguments);
    static QString helper();

    std::unique_ptr<QTemporaryDir> m_dir;
    QString m_folder;
};

QString TestConcurrency::helper()
{
    return qEnvironmentVariable("KAZUDORI_TEST_BIN") + QStringLiteral("/helpers/helper_appender");
}

void TestConcurrency::init()
{
    QVERIFY2(QFile::exists(helper()), qPrintable(helper()));
    m_dir = std::make_unique<QTemporaryDir>();
    m_folder = m_dir->path() + u'/';
}

std::unique_ptr<QProcess> TestConcurrency::start(const QStringList &arguments)
{
    auto process = std::make_unique<QProcess>();
    process->start(helper(), arguments);
    return process;
}

void TestConcurrency::appendersNeverInterleave()
{
    constexpr int Writers = 4;
    constexpr int Each = 500;
    const QString goFile = m_folder + QStringLiteral("go");
    const QString path = ResultsFile::pathIn(m_folder);
    ResultFiles::write(path, {});

    std::vector<std::unique_ptr<QProcess>> copies;
    for (int w = 1; w <= Writers; ++w)
        copies.push_back(start({QStringLiteral("append"), m_folder, QString::number(w),
                                QString::number(Each), goFile}));
    auto loader = start({QStringLiteral("load"), m_folder, QString::number(Writers * Each), goFile});
    for (const auto &p : copies)
        QVERIFY(p->waitForStarted());
    QVERIFY(loader->waitForStarted());
    ResultFiles::write(goFile, {});

    for (const auto &p : copies) {
        QVERIFY(p->waitForFinished(120000));
        QVERIFY2(p->exitCode() == 0, p->readAllStandardError().constData());
    }
    QVERIFY(loader->waitForFinished(120000));
    QVERIFY2(loader->exitCode() == 0, loader->readAllStandardError().constData());
    const QList<QByteArray> seen = loader->readAllStandardOutput().trimmed().split(' ');
    QCOMPARE(seen.size(), 2);
    qInfo("loads: %s, of them while appending: %s", seen[0].constData(), seen[1].constData());
    QVERIFY2(seen[1].toInt() > 0, "no load ran while the copies appended");

    const QByteArray bytes = ResultFiles::read(path);
    QCOMPARE(bytes.size(), Writers * Each * ResultRecordLength);
    std::set<std::pair<int, int>> records;
    std::array<int, Writers + 1> next{};
    for (int i = 0; i < Writers * Each; ++i) {
        const auto *at = reinterpret_cast<const unsigned char *>(bytes.constData()) + i * ResultRecordLength;
        const ResultRecord r = ResultRecord::decode(at);
        const int writer = r.studentNumber;
        QVERIFY(writer >= 1 && writer <= Writers);
        const int seq = r.timeScore - writer * 100000;
        QCOMPARE(seq, next[writer]++);
        QCOMPARE(int(r.level), seq % MaxLevel + 1);
        QCOMPARE(QByteArray(r.siteCode.data(), 5), QByteArray("00123"));
        QCOMPARE(QByteArray(r.reservedText.data(), 5), QByteArray("     "));
        QCOMPARE(QByteArray(r.pointsText.data(), 5), QByteArray("0    "));
        QCOMPARE(QByteArray(r.spareText.data(), 5), QByteArray(5, '\0'));
        QVERIFY(records.insert({writer, seq}).second);
    }
    QCOMPARE(int(records.size()), Writers * Each);
}

void TestConcurrency::appendWaitsForAnotherCopysLock()
{
    const QString readyFile = m_folder + QStringLiteral("ready");
    ResultFiles::write(ResultsFile::pathIn(m_folder), {});
    auto holder = start({QStringLiteral("hold"), m_folder, QStringLiteral("700"), readyFile});
    QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(readyFile), 10000);

    AppState state;
    state.DataFolder = m_folder;
    TestPlatform tp;
    tp.pause.onWait = [](int) { QThread::msleep(50); };
    QVERIFY(AppendResult(state, tp.platform, 11, 2, 88));
    QVERIFY(tp.pause.waits.size() > 3);
    QCOMPARE(tp.pause.waits.first(), 1000);
    QVERIFY(holder->waitForFinished(10000));
    QCOMPARE(holder->exitCode(), 0);

    QVERIFY(LoadResults(state, tp.platform));
    QCOMPARE(state.ResultTable.count, 1);
    QCOMPARE(state.ResultTable.entries[0].timeScore, 88);
}

QTEST_GUILESS_MAIN(TestConcurrency)
#include "tst_concurrency.moc"
