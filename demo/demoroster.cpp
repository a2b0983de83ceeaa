#include "demo/demoroster.h"

#include "roster/rostertable.h"

namespace {

struct Student
{
    const char *name;
    const char *reading;
    int status;
};

// Two students per grade, youngest first; index / 2 is the grade step.
const Student Students[DemoRoster::StudentCount] = {
    {"佐藤　陽葵", "さとう　ひまり", 0},     {"鈴木　蓮", "すずき　れん", 0},
    {"高橋　陽翔", "たかはし　はると", 0},   {"田中　結菜", "たなか　ゆいな", 0},
    {"伊藤　湊", "いとう　みなと", 2},       {"渡辺　凛", "わたなべ　りん", 0},
    {"山本　蒼", "やまもと　あおい", 0},     {"中村　芽依", "なかむら　めい", 0},
    {"小林　樹", "こばやし　いつき", 0},     {"加藤　さくら", "かとう　さくら", 0},
    {"吉田　大和", "よしだ　やまと", 0},     {"山田　葵", "やまだ　あおい", 0},
    {"佐々木　悠真", "ささき　ゆうま", 0},   {"山口　美咲", "やまぐち　みさき", 2},
    {"松本　颯太", "まつもと　そうた", 0},   {"井上　心春", "いのうえ　こはる", 0},
    {"木村　陸", "きむら　りく", 0},         {"林　彩花", "はやし　あやか", 0},
    {"斎藤　翔太", "さいとう　しょうた", 0}, {"清水　美優", "しみず　みゆ", 0},
    {"山崎　拓海", "やまざき　たくみ", 0},   {"森　七海", "もり　ななみ", 2},
    {"池田　健太", "いけだ　けんた", 0},     {"橋本　遥", "はしもと　はるか", 0},
    {"阿部　大輝", "あべ　だいき", 0},       {"石川　楓", "いしかわ　かえで", 0},
    {"山下　優斗", "やました　ゆうと", 0},   {"中島　花音", "なかじま　かのん", 2},
    {"石井　亮", "いしい　りょう", 0},       {"小川　真央", "おがわ　まお", 0},
};

// In the school year 2026 the first two students are in the first
// pre-school year (grade -2); each later pair is one year older.
constexpr int YoungestCohort = 2022;
constexpr int TeacherCohort = 1975;

} // namespace

namespace DemoRoster {

QString entryLine(int number, int cohort, int seat, const QString &name, int status, const QString &reading)
{
    return QStringLiteral("%1,%2,1,%3,\"%4\",%5,\"%6\",\"\"")
        .arg(number)
        .arg(cohort)
        .arg(seat)
        .arg(name)
        .arg(status)
        .arg(reading);
}

QString teacherLine()
{
    return entryLine(TeacherNumber, TeacherCohort, 0, QString::fromUtf8(TeacherEntryName), 0,
                     QStringLiteral("かんとく"));
}

QStringList lines()
{
    QStringList result;
    for (int i = 0; i < StudentCount; ++i) {
        const Student &s = Students[i];
        result.append(entryLine(i + 1, YoungestCohort - i / 2, i % 2 + 1, QString::fromUtf8(s.name), s.status,
                                QString::fromUtf8(s.reading)));
    }
    result.append(teacherLine());
    return result;
}

} // namespace DemoRoster
