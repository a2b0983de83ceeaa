#include "menu/teacheraccess.h"

#include <QFile>
#include <QRegularExpression>
#include <QSaveFile>

#include "state/startup.h"
#include "platform/cp932.h"

namespace TeacherAccess {

namespace {

bool isPlainNumber(const QString &value)
{
    static const QRegularExpression number(QStringLiteral("^-?[0-9]+(\\.[0-9]+)?$"));
    return number.match(value).hasMatch();
}

} // namespace

QString keyFilePath(const QString &location, const QString &driveFolders)
{
    QString path = location + QStringLiteral("\\") + QString::fromUtf8(KeyFileName);
    path.replace(u'\\', u'/');
#ifndef Q_OS_WIN
    static const QRegularExpression drive(QStringLiteral("^([A-Za-z]):"));
    if (const QRegularExpressionMatch m = drive.match(path); m.hasMatch())
        path = driveFolders + m.captured(1).toUpper() + path.mid(2);
#else
    Q_UNUSED(driveFolders);
#endif
    return path;
}

bool keyFileOpens(const QString &location)
{
    QFile key(keyFilePath(location));
    const bool opened = key.open(QIODevice::ReadOnly);
    key.close();
    return opened;
}

QByteArray commonDataText(const std::array<QString, Startup::SettingsValueCount> &values)
{
    QByteArray text;
    for (const QString &value : values) {
        // A quote or a line break would end the value early when read back,
        // and a character cp932 lacks would come back as "?".
        if (value.contains(u'"') || value.contains(u'\r') || value.contains(u'\n'))
            return {};
        const QByteArray bytes = Cp932::encode(value);
        if (Cp932::decode(bytes) != value)
            return {};
        text += isPlainNumber(value) ? bytes : '"' + bytes + '"';
        text += "\r\n";
    }
    return text;
}

bool storeKeyLocation(const QString &commonDataPath, const QString &location)
{
    std::array<QString, Startup::SettingsValueCount> values;
    if (Startup::readTenValues(commonDataPath, commonDataPath, values).failed())
        return false;
    values[Startup::KeyPassLocationValue] = location;
    const QByteArray text = commonDataText(values);
    if (text.isEmpty())
        return false;
    QSaveFile file(commonDataPath);
    return file.open(QIODevice::WriteOnly) && file.write(text) == text.size() && file.commit();
}

} // namespace TeacherAccess
