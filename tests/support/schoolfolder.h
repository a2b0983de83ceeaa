#pragma once

#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include "demo/demoschool.h"

// A temporary copy of the demo school, with helpers to rewrite its files.
class SchoolFolder final
{
public:
    SchoolFolder();
    bool isValid() const { return m_ok; }
    const DemoSchool::Layout &layout() const { return m_layout; }

    // Writes a cp932 CR LF text file at a path relative to the school root.
    void writeText(const QString &relativePath, const QStringList &lines) const;
    void writeBytes(const QString &relativePath, const QByteArray &bytes) const;
    void remove(const QString &relativePath) const;
    QByteArray readBytes(const QString &absolutePath) const;

private:
    QTemporaryDir m_dir;
    DemoSchool::Layout m_layout;
    bool m_ok = false;
};
