#include "teacher/editortexts.h"

#include <array>

#include "app/levelstandard.h"

namespace EditorTexts {

QStringList gridTitles()
{
    return QStringList{QStringLiteral("レベル")} + LevelStandardFile::headerTexts();
}

QString columnHelp(int column)
{
    static const std::array<QString, 9> titles{
        QStringLiteral("合格基準タイム"),        QStringLiteral("合格最低ラインタイム"),
        QStringLiteral("クリアポイント"),        QStringLiteral("クリア回数"),
        QStringLiteral("ポイント倍率"),          QStringLiteral("やりすぎ禁止回数"),
        QStringLiteral("やりすぎ禁止ポイント"),  QStringLiteral("合格判定をする日数"),
        QStringLiteral("やりすぎ判定をする日数")};
    static const std::array<QString, 9> texts{
        QStringLiteral("　大部分の人ががんばったら出せそうなタイムにしてください"),
        QStringLiteral("  合格基準タイムの２～５割増しにしてください この５倍が時間切れになります"),
        QStringLiteral("　　 次のレベルへ進むことができるようになるためのポイント"),
        QStringLiteral("　　 次のレベルへ進むことができるようになるための回数"),
        QStringLiteral("  ポイントを何倍にして加算するか\n  むずかしいレベルや生徒のいやがるレベルは高くしてください"),
        QStringLiteral("  何回やったらやりすぎ禁止にするか\n  "),
        QStringLiteral("  何ポイントとったらやりすぎ禁止にするか\n "),
        QStringLiteral("　何日前からのポイントを有効にするか"),
        QStringLiteral("　何日前からのポイントを有効にするか")};
    if (column < 1 || column > int(titles.size()))
        return {};
    return titles[std::size_t(column - 1)] + u'\n' + texts[std::size_t(column - 1)];
}

namespace {

QString shownCharacter(const QString &character)
{
    if (character == u" ")
        return QStringLiteral("半角スペース");
    if (character == u"\t")
        return QStringLiteral("タブ");
    if (character == u"\r" || character == u"\n")
        return QStringLiteral("改行");
    if (character.size() == 1 && !character.at(0).isPrint())
        return QStringLiteral("制御文字（U+%1）").arg(character.at(0).unicode(), 4, 16, QChar(u'0')).toUpper();
    return u'「' + character + u'」';
}

} // namespace

QString refusedInput(const QString &character)
{
    return QStringLiteral("%1 はセルに入力できません。\n"
                          "この文字を含む値は、記録して読み直すと別の値になってしまいます。")
        .arg(shownCharacter(character));
}

QString notReadBack(const QString &fileName, int level, int column, const QString &text)
{
    const QStringList titles = gridTitles();
    const QString title = column >= 1 && column < titles.size() && !titles[column].isEmpty()
                              ? titles[column]
                              : QStringLiteral("%1列目").arg(column);
    return QStringLiteral("レベル%1の「%2」の値「%3」は、%4 に記録して読み直すと別の値になってしまいます。\n"
                          "この値を直してから記録してください。%4 は書き換えていません。")
        .arg(QString::number(level), title, text, fileName);
}

} // namespace EditorTexts
