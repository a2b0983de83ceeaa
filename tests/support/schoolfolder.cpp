#include "support/schoolfolder.h"

#include <QFile>

SchoolFolder::SchoolFolder()
{
    QString error;
    m_ok = m_dir.isValid() && DemoSchool::create(m_dir.path(), &error);
    m_layout = DemoSchool::layoutOf(m_dir.path());
}

void SchoolFolder::writeText(const QString &relativePath, const QStringList &lines) const
{
    DemoSchool::writeTextFile(m_layout.root + relativePath, lines, nullptr);
}

void SchoolFolder::writeBytes(const QString &relativePath, const QByteArray &bytes) const
{
    DemoSchool::writeBinaryFile(m_layout.root + relativePath, bytes, nullptr);
}

void SchoolFolder::remove(const QString &relativePath) const
{
    QFile::remove(m_layout.root + relativePath);
}

QByteArray SchoolFolder::readBytes(const QString &absolutePath) const
{
    QFile file(absolutePath);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}
