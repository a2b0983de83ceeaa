#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

#include <QDir>
#include <QFileInfo>

#include "state/appstate.h"
#include "platform/systemerror.h"
#include "store/resultsfile.h"
#include "store/resultsrewrite.h"
#include "support/resultfiles.h"
#include "support/testplatform.h"

using namespace Qt::StringLiterals;
using ResultsRewrite::Outcome;

class TestResultsRewrite : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void changeWritesOnlyStudentAndTime();
    void deleteMovesTheFollowingRecordsUp();
    void recordMovedByAnotherCopyIsNotTouched();
    void leftoverBackupStopsRewritesUntilRepaired();
    void deleteFailingPartWayIsUndoneAtOnce();
    void windowsErrorsOfAHeldFileMeanWait();

private:
    QByteArray fileBytes() const { return ResultFiles::read(ResultsFile::pathIn(m_state.DataFolder)); }
    ResultRecord recordAt(qint32 number) const;

    std::unique_ptr<QTemporaryDir> m_dir;
    AppState m_state;
    TestPlatform m_tp;
    QList<ResultRecord> m_records;
};

void TestResultsRewrite::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    m_state.DataFolder = m_dir->path() + u'/';
    m_records.clear();
    for (int k = 1; k <= 5; ++k)
        m_records.append(ResultFiles::record(QDate(2026, 6, k), qint16(10 + k), qint16(k), 100 + k));
    m_records[2].siteCode = {'9', '9', '9', '9', '9'};
    m_records[2].spareText = {'a', 'b', 'c', 'd', 'e'};
    ResultFiles::write(ResultsFile::pathIn(m_state.DataFolder), ResultFiles::encode(m_records));
}

ResultRecord TestResultsRewrite::recordAt(qint32 number) const
{
    const QByteArray bytes = fileBytes();
    return ResultRecord::decode(reinterpret_cast<const unsigned char *>(bytes.constData())
                                + qsizetype(number - 1) * ResultRecordLength);
}

void TestResultsRewrite::changeWritesOnlyStudentAndTime()
{
    QCOMPARE(ResultsRewrite::changeRecord(m_state, m_tp.platform, 3, m_records[2], 42, 77).outcome, Outcome::Done);
    QList<ResultRecord> expected = m_records;
    expected[2].studentNumber = 42;
    expected[2].timeScore = 77;
    QCOMPARE(fileBytes(), ResultFiles::encode(expected));
}

void TestResultsRewrite::deleteMovesTheFollowingRecordsUp()
{
    QCOMPARE(ResultsRewrite::deleteRecord(m_state, m_tp.platform, 2, m_records[1]).outcome, Outcome::Done);
    QCOMPARE(ResultsRewrite::deleteRecord(m_state, m_tp.platform, 4, m_records[4]).outcome, Outcome::Done);
    QCOMPARE(fileBytes(), ResultFiles::encode({m_records[0], m_records[2], m_records[3]}));
    QVERIFY(!QFile::exists(ResultsRewrite::backupPathIn(m_state.DataFolder)));
}

// Another teacher deleted record 1 after this one opened record 3.
void TestResultsRewrite::recordMovedByAnotherCopyIsNotTouched()
{
    QCOMPARE(ResultsRewrite::deleteRecord(m_state, m_tp.platform, 1, m_records[0]).outcome, Outcome::Done);
    const QByteArray before = fileBytes();
    QCOMPARE(ResultsRewrite::changeRecord(m_state, m_tp.platform, 3, m_records[2], 42, 77).outcome, Outcome::Moved);
    QCOMPARE(ResultsRewrite::deleteRecord(m_state, m_tp.platform, 3, m_records[2]).outcome, Outcome::Moved);
    QCOMPARE(ResultsRewrite::deleteRecord(m_state, m_tp.platform, 5, m_records[4]).outcome, Outcome::Moved);
    QCOMPARE(fileBytes(), before);
    QCOMPARE(recordAt(2).timeScore, 103);
}

// A backup that fits neither way is kept, and so is the file, until a person looks.
void TestResultsRewrite::leftoverBackupStopsRewritesUntilRepaired()
{
    const QString backup = ResultsRewrite::backupPathIn(m_state.DataFolder);
    const QByteArray before = fileBytes();
    ResultFiles::write(backup, ResultFiles::encode({m_records[4], m_records[3]}));
    QCOMPARE(ResultsRewrite::changeRecord(m_state, m_tp.platform, 3, m_records[2], 42, 77).outcome,
             Outcome::RepairPending);
    QCOMPARE(ResultsRewrite::deleteRecord(m_state, m_tp.platform, 3, m_records[2]).outcome, Outcome::RepairPending);

    QVERIFY(ResultsRewrite::reportInterruptedDelete(m_state, m_tp.platform));
    QVERIFY(m_tp.dialogs.shown.value(0).text.contains(backup));
    QVERIFY(QFile::exists(backup));
    QCOMPARE(fileBytes(), before);

    // The backup of a finished delete of the last record: only the backup goes.
    ResultFiles::write(backup, ResultFiles::encode(m_records + QList{m_records[0]}));
    QCOMPARE(ResultsRewrite::repairInterruptedDelete(m_state, m_tp.platform).outcome,
             ResultsRewrite::Repair::Completed);
    QVERIFY(!QFile::exists(backup));
    QCOMPARE(fileBytes(), before);
    QCOMPARE(ResultsRewrite::changeRecord(m_state, m_tp.platform, 3, m_records[2], 42, 77).outcome, Outcome::Done);
}

namespace {

// Swaps every open handle of `path` in this process for a read-only one, so
// that the next write through it fails as on a share that went away.
int breakHandlesOf(const QString &path)
{
    const QString target = QFileInfo(path).canonicalFilePath();
    int broken = 0;
    for (const QFileInfo &fd : QDir(u"/proc/self/fd"_s).entryInfoList(QDir::System | QDir::Files)) {
        if (fd.symLinkTarget() != target)
            continue;
        const int readOnly = ::open(QFile::encodeName(path).constData(), O_RDONLY);
        if (readOnly >= 0 && ::dup2(readOnly, fd.fileName().toInt()) >= 0)
            ++broken;
        ::close(readOnly);
    }
    return broken;
}

} // namespace

// The shift fails on its way: the file is put back from the backup before the
// delete returns, so no record waits for the next start to come back.
void TestResultsRewrite::deleteFailingPartWayIsUndoneAtOnce()
{
    const QString results = ResultsFile::pathIn(m_state.DataFolder);
    const QByteArray before = fileBytes();
    int broken = 0;
    const auto breakAfterShift = [&](ResultsRewrite::DeleteStep step) {
        if (step == ResultsRewrite::DeleteStep::ShiftBlockWritten)
            broken = breakHandlesOf(results);
    };
    const ResultsRewrite::Result result =
        ResultsRewrite::deleteRecord(m_state, m_tp.platform, 2, m_records[1], breakAfterShift);
    QVERIFY(broken > 0);
    QCOMPARE(result.outcome, Outcome::Failed);
    QCOMPARE(result.undone, ResultsRewrite::Repair::RolledBack);
    QCOMPARE(fileBytes(), before);
    QVERIFY(!QFile::exists(ResultsRewrite::backupPathIn(m_state.DataFolder)));
    const QString told = ResultsRewrite::notDoneMessage(ResultsRewrite::Action::Delete, 2, result, results,
                                                        ResultsRewrite::backupPathIn(m_state.DataFolder), {});
    QVERIFY2(told.startsWith(u"記録2の消去は途中で失敗しました。"_s)
                 && told.endsWith(u"記録は1件も失われていません。"_s),
             qPrintable(told));
}

void TestResultsRewrite::windowsErrorsOfAHeldFileMeanWait()
{
    constexpr unsigned long SharingViolation = 32;
    constexpr unsigned long LockViolation = 33;
    constexpr unsigned long FileNotFound = 2;
    constexpr unsigned long DiskFull = 112;
    QCOMPARE(SystemError::errnoFromWindowsError(SharingViolation), EBUSY);
    QCOMPARE(SystemError::errnoFromWindowsError(LockViolation), EAGAIN);
    QCOMPARE(SystemError::errnoFromWindowsError(FileNotFound), ENOENT);
    QCOMPARE(SystemError::errnoFromWindowsError(DiskFull), ENOSPC);
    QCOMPARE(SystemError::errnoFromWindowsError(87), 0);
}

QTEST_GUILESS_MAIN(TestResultsRewrite)
#include "tst_resultsrewrite.moc"
