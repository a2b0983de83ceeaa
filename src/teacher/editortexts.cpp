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
    static const std::array<QString, 9> titles{QStringLiteral("合格基準タイム"),
                                    QStringLiteral("合格最低ラインタイム"),
                                    QStringLiteral("クリアポイント"),
                                    QStringLiteral("クリア回数"),
                                    QStringLiteral("ポイント倍率"),
                                    QStringLiteral("やりすぎ禁止回数"),
                                    QStringLiteral("やりすぎ禁止ポイント"),
                                    QStringLiteral("合格判定をする日数"),
                                    QStringLiteral("やりすぎ判定をする日数")};
    static const std::array<QString, 9> texts{QStringLiteral("　大部分の人ががんばったら出せそうなタイムにしてください"),
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

} // namespace EditorTexts
