// The value stream under both settings files: the bytes become "共通データ.txt"
// of the school and the program's start-up loads it, then the same bytes are
// read as "パスデータ.txt" is read, and as a table stream.
#include <cstdio>
#include <cstdlib>

#include "state/startup.h"
#include "app/valuestream.h"
#include "fuzzschool.h"
#include "platform/cp932.h"

namespace {

// Every value read uses up input, so a stream holds at most one value more
// than it has characters; more means next() stopped advancing.
void readAll(const QString &text, ValueStream::BlankLines blankLines)
{
    ValueStream stream(text, blankLines);
    qsizetype values = 0;
    while (!stream.atEnd()) {
        stream.nextNumber();
        if (++values > text.size() + 1) {
            std::fprintf(stderr, "value stream does not advance\n");
            std::abort();
        }
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    FuzzSchool &school = FuzzSchool::instance();
    const QString commonFile = school.layout().basePath + QString::fromUtf8(Startup::CommonDataFile);
    FuzzSchool::write(commonFile, data, size);

    const Startup::LoadError loaded = Startup::LoadStartupData(school.state(), school.layout().programFolder);
    if (loaded.failed())
        (void)loaded.message();

    // Read as the path file: the base folder is its first value.
    std::array<QString, Startup::SettingsValueCount> values;
    if (!Startup::readTenValues(commonFile, commonFile, values).failed())
        (void)Startup::folderName(Startup::normalizeSeparators(values[0]));

    const QString text = Cp932::decode(QByteArrayView(data, qsizetype(size)));
    readAll(text, ValueStream::BlankLines::Skipped);
    readAll(text, ValueStream::BlankLines::AreEmptyValues);
    return 0;
}
