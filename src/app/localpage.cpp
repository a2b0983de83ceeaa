#include "app/localpage.h"

#include <QFile>
#include <QRegularExpression>
#include <QStringDecoder>

#include "platform/cp932.h"

namespace {

// The charset named in the page's head, lower case; empty when none is named.
QString declaredCharset(const QByteArray &bytes)
{
    static const QRegularExpression pattern(QStringLiteral("charset\\s*=\\s*[\"']?([A-Za-z0-9_.:-]+)"),
                                            QRegularExpression::CaseInsensitiveOption);
    const QString head = QString::fromLatin1(bytes.left(2048));
    const QRegularExpressionMatch match = pattern.match(head);
    return match.hasMatch() ? match.captured(1).toLower() : QString();
}

bool isShiftJis(const QString &charset)
{
    return charset == u"shift_jis" || charset == u"shift-jis" || charset == u"sjis" || charset == u"x-sjis"
           || charset == u"windows-31j" || charset == u"cp932" || charset == u"ms_kanji";
}

} // namespace

namespace LocalPage {

QString decode(const QByteArray &bytes)
{
    const QString charset = declaredCharset(bytes);
    if (charset.isEmpty() || isShiftJis(charset))
        return Cp932::decode(bytes);
    QStringDecoder decoder(charset.toLatin1().constData());
    if (!decoder.isValid())
        return Cp932::decode(bytes);
    return decoder.decode(bytes);
}

QString read(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return QString();
    return decode(file.readAll());
}

} // namespace LocalPage
