#include "platform/wavfile.h"

#include <QFile>
#include <QtEndian>

#include "platform/systemerror.h"

namespace {

constexpr quint16 FormatPcm = 1;
constexpr quint16 FormatFloat = 3;
constexpr quint16 FormatExtensible = 0xFFFE;

quint16 le16(const QByteArray &bytes, qsizetype at)
{
    return qFromLittleEndian<quint16>(bytes.constData() + at);
}

quint32 le32(const QByteArray &bytes, qsizetype at)
{
    return qFromLittleEndian<quint32>(bytes.constData() + at);
}

std::optional<WavFile> fail(QString *error, const QString &reason)
{
    if (error)
        *error = reason;
    return std::nullopt;
}

} // namespace

qint64 WavFile::durationMs() const
{
    const qint64 bytesPerSecond = qint64(sampleRate) * channels * (bitsPerSample / 8);
    return bytesPerSecond > 0 ? samples.size() * 1000 / bytesPerSecond : 0;
}

std::optional<WavFile> WavFile::read(const QString &path, QString *error)
{
    QFile file(path);
    SystemError::clear();
    if (!file.open(QIODevice::ReadOnly))
        return fail(error, SystemError::describeFailure(file, SystemError::last()));
    return parse(file.readAll(), error);
}

std::optional<WavFile> WavFile::parse(const QByteArray &bytes, QString *error)
{
    if (bytes.size() < 12 || !bytes.startsWith("RIFF") || bytes.mid(8, 4) != "WAVE")
        return fail(error, QStringLiteral("WAVE 形式ではありません"));
    WavFile wav;
    quint16 format = 0;
    bool haveFormat = false;
    qsizetype at = 12;
    while (at + 8 <= bytes.size()) {
        const QByteArray id = bytes.mid(at, 4);
        const qsizetype size = le32(bytes, at + 4);
        const qsizetype body = at + 8;
        // A data chunk cut short by a broken copy still plays what is there.
        const qsizetype available = std::min<qsizetype>(size, bytes.size() - body);
        if (id == "fmt " && available >= 16) {
            format = le16(bytes, body);
            wav.channels = le16(bytes, body + 2);
            wav.sampleRate = static_cast<int>(le32(bytes, body + 4));
            wav.bitsPerSample = le16(bytes, body + 14);
            if (format == FormatExtensible && available >= 26)
                format = le16(bytes, body + 24);
            haveFormat = true;
        } else if (id == "data" && haveFormat) {
            wav.samples = bytes.mid(body, available);
            break;
        }
        at = body + size + (size & 1);
    }
    if (!haveFormat)
        return fail(error, QStringLiteral("WAVE の形式情報がありません"));
    wav.isFloat = format == FormatFloat;
    const bool pcmBits = wav.bitsPerSample == 8 || wav.bitsPerSample == 16 || wav.bitsPerSample == 32;
    if ((format != FormatPcm && format != FormatFloat) || !pcmBits || (wav.isFloat && wav.bitsPerSample != 32)
        || wav.channels < 1 || wav.channels > 8 || wav.sampleRate < 1000 || wav.sampleRate > 192000)
        return fail(error, QStringLiteral("再生できない WAVE 形式です"));
    return wav;
}
