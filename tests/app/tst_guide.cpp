#include <QTest>

#include <QDirIterator>
#include <QFile>
#include <QRegularExpression>

#include <algorithm>
#include <utility>

#include "state/appstate.h"
#include "app/levelstandard.h"
#include "state/startup.h"
#include "menu/teacheraccess.h"
#include "roster/rosterfile.h"
#include "roster/rostertable.h"
#include "sound/soundcues.h"
#include "support/schoolfolder.h"

using namespace Qt::StringLiterals;

// The teachers' guide shows file examples and quotes the program's messages;
// both must stay what the program reads and says.
class TestGuide : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void examplesReadAsTheGuideSays();
    void quotedMessagesAreTheProgramsOwn();

private:
    void checkCommonData(const AppState &state);
    void checkLevelTable(const AppState &state, const QStringList &lines);
    void checkSoundList(const AppState &state);
    void checkRoster(const AppState &state);

    QString m_guide;
};

namespace {

using Rows = QList<QStringList>;

QString sourcePath(const QString &relative)
{
    return QString::fromUtf8(KAZUDORI_SOURCE_DIR) + u'/' + relative;
}

QString readUtf8(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

// The body of the first fenced block after `from`, one entry per line.
QStringList fencedBlockAfter(const QString &guide, qsizetype from)
{
    const qsizetype fence = guide.indexOf(u"```"_s, from);
    const qsizetype start = guide.indexOf(u'\n', fence) + 1;
    const qsizetype end = guide.indexOf(u"\n```"_s, start);
    if (fence < 0 || start <= 0 || end < 0)
        return {};
    return guide.mid(start, end - start).split(u'\n');
}

QStringList example(const QString &guide, const QString &name)
{
    const qsizetype at = guide.indexOf(u"<!-- example: %1 -->"_s.arg(name));
    return at < 0 ? QStringList() : fencedBlockAfter(guide, at);
}

// The table starting on the line after `from`: header first, the dashed
// line left out, cells as written.
Rows rawTableAfter(const QString &guide, qsizetype from)
{
    Rows rows;
    const QStringList lines = guide.mid(from).split(u'\n');
    static const QRegularExpression separator(u"^[|\\s:-]+$"_s);
    for (qsizetype i = 1; i < lines.size() && lines[i].startsWith(u'|'); ++i) {
        if (separator.match(lines[i]).hasMatch())
            continue;
        QStringList cells = lines[i].split(u'|');
        rows.append(cells.mid(1, cells.size() - 2));
    }
    return rows;
}

// The table after "<!-- expect: name -->", cells without code and bold marks.
Rows expectation(const QString &guide, const QString &name)
{
    const qsizetype at = guide.indexOf(u"<!-- expect: %1 -->"_s.arg(name));
    Rows rows = at < 0 ? Rows() : rawTableAfter(guide, at);
    for (QStringList &row : rows) {
        for (QString &cell : row)
            cell = cell.remove(u'`').remove(u"**"_s).trimmed();
    }
    return rows;
}

Rows withoutHeader(Rows rows)
{
    if (!rows.isEmpty())
        rows.removeFirst();
    return rows;
}

// "3" or "6〜10": the numbers a row of a numbered table stands for.
QList<int> numbersOf(const QString &cell)
{
    static const QRegularExpression range(u"^(\\d+)(?:〜(\\d+))?$"_s);
    const QRegularExpressionMatch m = range.match(cell);
    if (!m.hasMatch())
        return {};
    const int first = m.captured(1).toInt();
    const int last = m.hasCaptured(2) ? m.captured(2).toInt() : first;
    QList<int> numbers;
    for (int n = first; n <= last; ++n)
        numbers.append(n);
    return numbers;
}

int numberInHeader(const Rows &table, const QString &pattern, int *column)
{
    const QRegularExpression re(pattern);
    for (int c = 0; !table.isEmpty() && c < table.first().size(); ++c) {
        const QRegularExpressionMatch m = re.match(table.first()[c]);
        if (m.hasMatch()) {
            *column = c;
            return m.captured(1).toInt();
        }
    }
    return -1;
}

// What the program prints for "none" in the guide's tables.
QString orNone(const QString &text)
{
    return text.isEmpty() ? u"（なし）"_s : text;
}

// Every message the guide quotes: fenced blocks after "<!-- message -->" and
// the code spans opening the rows of tables after "<!-- message-list -->".
QStringList quotedMessages(const QString &guide)
{
    QStringList messages;
    const QString blockMarker = u"<!-- message -->"_s;
    for (qsizetype at = guide.indexOf(blockMarker); at >= 0; at = guide.indexOf(blockMarker, at + 1))
        messages.append(fencedBlockAfter(guide, at).join(u'\n'));
    const QString listMarker = u"<!-- message-list -->"_s;
    static const QRegularExpression codeSpan(u"`([^`]+)`"_s);
    for (qsizetype at = guide.indexOf(listMarker); at >= 0; at = guide.indexOf(listMarker, at + 1)) {
        for (const QStringList &row : withoutHeader(rawTableAfter(guide, at))) {
            const QRegularExpressionMatch m = codeSpan.match(row.value(0));
            messages.append(m.hasMatch() ? m.captured(1) : row.value(0));
        }
    }
    return messages;
}

QChar unescaped(QChar c)
{
    switch (c.unicode()) {
    case u'n':
        return u'\n';
    case u'r':
        return u'\r';
    case u't':
        return u'\t';
    default:
        return c;
    }
}

// The string literals of C++ source, adjacent ones joined as the compiler
// joins them, escapes resolved.
QStringList literalsOf(const QString &code)
{
    QStringList literals;
    QString current;
    bool inLiteral = false;
    const qsizetype n = code.size();
    for (qsizetype i = 0; i < n;) {
        const QChar c = code[i];
        if (c == u'/' && i + 1 < n && code[i + 1] == u'/') {
            i = code.indexOf(u'\n', i);
            i = i < 0 ? n : i;
        } else if (c == u'/' && i + 1 < n && code[i + 1] == u'*') {
            i = code.indexOf(u"*/"_s, i + 2);
            i = i < 0 ? n : i + 2;
        } else if (c == u'"') {
            for (++i; i < n && code[i] != u'"'; ++i)
                current.append(code[i] == u'\\' && i + 1 < n ? unescaped(code[++i]) : code[i]);
            ++i;
            inLiteral = true;
        } else if (c.isSpace()) {
            ++i;
        } else {
            // A character literal may hold a quote.
            if (c == u'\'') {
                for (++i; i < n && code[i] != u'\''; ++i)
                    i += code[i] == u'\\' ? 1 : 0;
            }
            ++i;
            if (inLiteral)
                literals.append(std::exchange(current, QString()));
            inLiteral = false;
        }
    }
    if (inLiteral)
        literals.append(current);
    return literals;
}

QStringList sourceLiterals()
{
    QStringList literals;
    QDirIterator files(sourcePath(u"src"_s), {u"*.cpp"_s, u"*.h"_s}, QDir::Files, QDirIterator::Subdirectories);
    while (files.hasNext())
        literals += literalsOf(readUtf8(files.next()));
    return literals;
}

// A quoted message as a pattern over one source literal: each 〈…〉 stands
// for whatever the program puts there within its line, a line break for
// CR LF or LF.
QRegularExpression messagePattern(const QString &message)
{
    static const QRegularExpression placeholder(u"〈[^〉]*〉"_s);
    const auto fixedText = [](const QString &text) {
        QStringList lines = text.split(u'\n');
        for (QString &line : lines)
            line = QRegularExpression::escape(line);
        return lines.join(u"\\r?\\n"_s);
    };
    QString pattern;
    qsizetype done = 0;
    for (auto it = placeholder.globalMatch(message); it.hasNext();) {
        const QRegularExpressionMatch m = it.next();
        pattern += fixedText(message.mid(done, m.capturedStart() - done)) + u"[^\\r\\n]*?"_s;
        done = m.capturedEnd();
    }
    pattern += fixedText(message.mid(done));
    return QRegularExpression(QRegularExpression::anchoredPattern(pattern));
}

} // namespace

void TestGuide::initTestCase()
{
    m_guide = readUtf8(sourcePath(u"docs/guide-ja.md"_s));
    QVERIFY2(!m_guide.isEmpty(), "docs/guide-ja.md cannot be read");
}

// The examples are written as a school's files are (cp932, CR LF) into a
// school folder and read by the program's own readers; the guide's tables
// next to them say what the program takes from them.
void TestGuide::examplesReadAsTheGuideSays()
{
    SchoolFolder school;
    QVERIFY(school.isValid());
    const DemoSchool::Layout &layout = school.layout();
    const QStringList pathData = example(m_guide, u"path-data"_s);
    const QStringList levelTable = example(m_guide, u"level-table"_s);
    const QList<std::pair<QString, QStringList>> schoolFiles{
        {u"school/共通データ.txt"_s, example(m_guide, u"common-data"_s)},
        {u"school/kazudori/タイム回数データ.txt"_s, levelTable},
        {u"school/音フォルダ/新音ファイル.txt"_s, example(m_guide, u"sound-list"_s)},
        {u"school/新名簿.txt"_s, example(m_guide, u"roster"_s)}};
    QVERIFY2(!pathData.isEmpty(), "the path data example is missing");
    for (const auto &[file, lines] : schoolFiles) {
        QVERIFY2(!lines.isEmpty(), qPrintable(u"the example of %1 is missing"_s.arg(file)));
        school.writeText(file, lines);
    }

    // The guide's school folder cannot exist here: the example's other values
    // are kept and the first points at the temporary school.
    const QString guideBase = withoutHeader(expectation(m_guide, u"path-data"_s)).value(0).value(1);
    school.writeText(u"パスデータ.txt"_s, pathData);
    std::array<QString, Startup::SettingsValueCount> pathValues;
    const auto pathRead = Startup::readTenValues(layout.root + u"パスデータ.txt"_s, u"path data"_s, pathValues);
    QVERIFY2(!pathRead.failed(), qPrintable(pathRead.message()));
    QCOMPARE(pathValues[0], guideBase);
    QStringList localPathData = pathData;
    localPathData[0].replace(guideBase, layout.basePath);
    school.writeText(u"パスデータ.txt"_s, localPathData);

    AppState state;
    const auto loaded = Startup::LoadStartupData(state, layout.programFolder);
    QVERIFY2(!loaded.failed(), qPrintable(loaded.message()));
    const auto asInGuide = [&](QString path) { return path.replace(layout.basePath, guideBase); };
    QCOMPARE(withoutHeader(expectation(m_guide, u"path-data"_s)),
             (Rows{{u"学校フォルダー"_s, asInGuide(state.BasePath)},
                   {u"データフォルダー"_s, asInGuide(state.DataFolder)},
                   {u"音フォルダー"_s, asInGuide(state.SoundFolder)},
                   {u"名簿"_s, asInGuide(state.RosterFolder + QString::fromUtf8(RosterFile::FileName))}}));

    checkCommonData(state);
    if (!QTest::currentTestFailed())
        checkLevelTable(state, levelTable);
    if (!QTest::currentTestFailed())
        checkSoundList(state);
    if (!QTest::currentTestFailed())
        checkRoster(state);
}

void TestGuide::checkCommonData(const AppState &state)
{
    std::array<QString, Startup::SettingsValueCount> values;
    QVERIFY(!Startup::readTenValues(state.BasePath + u"共通データ.txt"_s, QString(), values).failed());
    int listed = 0;
    for (const QStringList &row : withoutHeader(expectation(m_guide, u"common-data-values"_s))) {
        for (int n : numbersOf(row.value(0))) {
            QVERIFY(n >= 1 && n <= Startup::SettingsValueCount);
            QCOMPARE(values[std::size_t(n - 1)], row.value(1));
            ++listed;
        }
    }
    QCOMPARE(listed, Startup::SettingsValueCount);
    QCOMPARE(withoutHeader(expectation(m_guide, u"common-data"_s)),
             (Rows{{u"学年の始まる月"_s, QString::number(state.SchoolYearStartMonth)},
                   {u"学校コード"_s, state.SiteCode},
                   {u"画面に出る名前"_s, state.SiteTitle},
                   {u"名簿の状態2の人"_s, state.RosterStatusSwitch == RosterSwitchOn ? u"出す"_s : u"出さない"_s},
                   {u"キーファイル"_s, TeacherAccess::keyFilePath(state.KeyPassLocation)}}));
}

// The header line as the editor writes it, the explained row's values in the
// columns the guide names, and the guide's own advice on the lowest passing
// time kept by every row of the example.
void TestGuide::checkLevelTable(const AppState &state, const QStringList &lines)
{
    QCOMPARE(lines.first(), LevelStandardFile::headerTexts().join(u','));
    const Rows columns = expectation(m_guide, u"level-table"_s);
    int valueColumn = -1;
    const int level = numberInHeader(columns, u"レベル(\\d+)"_s, &valueColumn);
    QVERIFY2(level >= 1 && level < lines.size(), "the column table names no level of the example");
    const LevelStandard &explainedRow = state.LevelStandards[std::size_t(level)];
    const QStringList texts = LevelStandardFile::toTexts(explainedRow);
    int explained = 0;
    QString lowestTimeText;
    for (const QStringList &row : withoutHeader(columns)) {
        if (row.value(0) == u"2")
            lowestTimeText = row.join(u'|');
        const QString value = row.value(valueColumn) == u"（空）" ? QString() : row.value(valueColumn);
        for (int column : numbersOf(row.value(0))) {
            QCOMPARE(texts.value(column - 1), value);
            ++explained;
        }
    }
    QCOMPARE(explained, int(texts.size()));
    static const QRegularExpression timeLimit(u"(\\d+)秒＝"_s);
    QCOMPARE(timeLimit.match(lowestTimeText).captured(1).toInt(), 5 * explainedRow.MinimumTime);
    for (int l = 1; l < lines.size(); ++l) {
        const LevelStandard &row = state.LevelStandards[std::size_t(l)];
        QVERIFY2(row.MinimumTime >= row.TargetTime * 1.2 && row.MinimumTime <= row.TargetTime * 1.5,
                 qPrintable(u"level %1: lowest time not 20 to 50 per cent above the target"_s.arg(l)));
    }
}

// The files of each cue the guide names; the four cues the program plays
// are the ones it names.
void TestGuide::checkSoundList(const AppState &state)
{
    Rows cues;
    for (int cue : {SoundCues::CorrectCue, SoundCues::WrongCue, SoundCues::PersonalRecordCue, SoundCues::PassCue}) {
        const auto &cueSlots = state.SoundCues[std::size_t(cue)];
        QStringList files;
        for (int slot = 1; slot <= cueSlots[SoundCueCountSlot].toInt(); ++slot)
            files.append(cueSlots[std::size_t(slot)] + u".wav"_s);
        cues.append({cueSlots[0], files.join(u"、"_s)});
    }
    QCOMPARE(withoutHeader(expectation(m_guide, u"sound-list"_s)), cues);
}

// Every entry in file order, in the school year the guide's table is headed with.
void TestGuide::checkRoster(const AppState &state)
{
    const Rows people = expectation(m_guide, u"roster"_s);
    int yearColumn = -1;
    const int schoolYear = numberInHeader(people, u"(\\d{4})年度"_s, &yearColumn);
    QVERIFY(schoolYear > 0);
    RosterTable table;
    const RosterFile::ReadResult read = RosterFile::read(state.RosterFolder + QString::fromUtf8(RosterFile::FileName),
                                                         schoolYear, state.RosterStatusSwitch, table);
    QVERIFY2(!read.failed() && read.notice().isEmpty(), qPrintable(read.message() + read.notice()));
    Rows entries;
    for (const RosterEntry &entry : table.entries()) {
        const bool offered = table.offeredNumbers().contains(entry.Number);
        entries.append({QString::number(entry.Number), table.trimmedName(entry.Number),
                        orNone(table.gradeName(entry.Number)), offered ? u"出る"_s : u"出ない"_s});
    }
    QCOMPARE(withoutHeader(people), entries);
}

void TestGuide::quotedMessagesAreTheProgramsOwn()
{
    const QStringList messages = quotedMessages(m_guide);
    // Every box a teacher may see at start-up, while recording and in the tools.
    QVERIFY2(messages.size() >= 60, qPrintable(u"only %1 messages quoted"_s.arg(messages.size())));
    const QStringList literals = sourceLiterals();
    QStringList unknown;
    for (const QString &message : messages) {
        const QRegularExpression pattern = messagePattern(message);
        QVERIFY2(pattern.isValid(), qPrintable(message));
        if (std::none_of(literals.cbegin(), literals.cend(),
                         [&](const QString &literal) { return pattern.match(literal).hasMatch(); }))
            unknown.append(message);
    }
    QVERIFY2(unknown.isEmpty(), qPrintable(u"not in the program:\n"_s + unknown.join(u"\n--\n"_s)));
}

QTEST_GUILESS_MAIN(TestGuide)
#include "tst_guide.moc"
