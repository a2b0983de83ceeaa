#include "demo/schoolfiles.h"

#include <cerrno>

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include "platform/cp932.h"
#include "platform/systemerror.h"

namespace {

QString shown(const QString &path)
{
    return QDir::toNativeSeparators(path);
}

// A file where a folder of the path should be gives no useful errno: the
// teacher is told which one it is.
QString whyNoFolder(const QString &folder, int captured)
{
    QString path = QDir::cleanPath(folder);
    while (!QFileInfo::exists(path) && QFileInfo(path).path() != path)
        path = QFileInfo(path).path();
    if (QFileInfo(path).isFile())
        return QStringLiteral("「%1」がフォルダーではなくファイルです").arg(shown(path));
    return SystemError::describeFor(QDir::cleanPath(folder), captured != 0 ? captured : EACCES);
}

} // namespace

QByteArray schoolText(const QStringList &lines)
{
    QByteArray bytes;
    for (const QString &line : lines)
        bytes += Cp932::encode(line) + "\r\n";
    return bytes;
}

bool SchoolFiles::makeFolder(const QString &folder)
{
    if (failed())
        return false;
    if (QFileInfo(folder).isDir())
        return true;
    SystemError::clear();
    if (QDir().mkpath(folder))
        return true;
    const int captured = SystemError::last();
    fail(QStringLiteral("フォルダー「%1」を作れません（%2）。").arg(shown(folder), whyNoFolder(folder, captured)));
    return false;
}

bool SchoolFiles::addFile(const QString &path, const std::function<QByteArray()> &content)
{
    if (failed())
        return false;
    const QFileInfo info(path);
    if (info.isDir()) {
        fail(QStringLiteral("「%1」を作れません（%2）。").arg(shown(path), SystemError::describe(EISDIR)));
        return false;
    }
    if (info.exists() || info.isSymLink()) {
        m_kept.append(path);
        return true;
    }
    if (!makeFolder(info.absolutePath()) || !writeNew(path, content()))
        return false;
    m_created.append(path);
    return true;
}

bool SchoolFiles::addTextFile(const QString &path, const QStringList &lines)
{
    return addFile(path, [&lines] { return schoolText(lines); });
}

void SchoolFiles::fail(const QString &message)
{
    if (!failed())
        m_error = message;
}

bool SchoolFiles::writeNew(const QString &path, const QByteArray &bytes)
{
    // NewOnly: a file that appeared since the check above is still not replaced.
    QFile file(path);
    SystemError::clear();
    if (!file.open(QIODevice::WriteOnly | QIODevice::NewOnly)) {
        fail(QStringLiteral("「%1」を作れません（%2）。")
                 .arg(shown(path), SystemError::describeFailure(file, SystemError::last())));
        return false;
    }
    SystemError::clear();
    const qint64 written = file.write(bytes);
    const int writeError = SystemError::last();
    if (written == bytes.size() && file.flush())
        return true;
    fail(QStringLiteral("「%1」を書けません（%2）。")
             .arg(shown(path), SystemError::describeWriteFailure(file, written, writeError)));
    // A cut-off file would be kept by the next run as if it were the school's own.
    file.remove();
    return false;
}
