#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <functional>

// Lays out files of a school without ever replacing one: a file that is
// there already is kept as it is, whatever it holds, because it may carry a
// school's results or its edited roster. Remembers what it created and what
// it kept; after the first failure every further step is skipped.
class SchoolFiles final
{
public:
    bool makeFolder(const QString &folder);
    // `content` is only asked for when the file is missing.
    bool addFile(const QString &path, const std::function<QByteArray()> &content);
    // cp932, one CR LF line per entry.
    bool addTextFile(const QString &path, const QStringList &lines);

    // Records a failure of the caller's own; a message naming the path.
    void fail(const QString &message);

    bool failed() const { return !m_error.isEmpty(); }
    const QString &error() const { return m_error; }
    const QStringList &created() const { return m_created; }
    const QStringList &kept() const { return m_kept; }

private:
    bool writeNew(const QString &path, const QByteArray &bytes);

    QStringList m_created;
    QStringList m_kept;
    QString m_error;
};

// The bytes of a text file as a school's files are written: cp932, CR LF.
QByteArray schoolText(const QStringList &lines);
