#include "setup/setupcommand.h"

namespace SetupCommand {

namespace {

Parsed failure(const QString &text)
{
    Parsed parsed;
    parsed.action = Action::Error;
    parsed.error = text;
    return parsed;
}

} // namespace

Parsed parse(const QStringList &arguments)
{
    Parsed parsed;
    if (arguments.isEmpty())
        return parsed;
    if (arguments.contains(QStringLiteral("--help")) || arguments.contains(QStringLiteral("-h"))) {
        parsed.action = Action::Help;
        return parsed;
    }
    bool kindGiven = false;
    bool keyGiven = false;
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString &option = arguments[i];
        const bool isKind = option == QStringLiteral("--new") || option == QStringLiteral("--demo");
        if (!isKind && option != QStringLiteral("--key"))
            return failure(QStringLiteral("「%1」はわからない指定です。").arg(option));
        if (i + 1 >= arguments.size() || arguments[i + 1].isEmpty() || arguments[i + 1].startsWith(u'-'))
            return failure(
                QStringLiteral("「%1」のあとに%2を書いてください。")
                    .arg(option, isKind ? QStringLiteral("学校フォルダー") : QStringLiteral("キーファイルの場所")));
        const QString value = arguments[++i];
        if (isKind) {
            if (kindGiven)
                return failure(QStringLiteral("「--new」と「--demo」は、どちらか一つだけ指定してください。"));
            kindGiven = true;
            parsed.request.kind =
                option == QStringLiteral("--new") ? SchoolSetup::Kind::NewSchool : SchoolSetup::Kind::DemoSchool;
            parsed.request.schoolFolder = value;
        } else {
            keyGiven = true;
            parsed.request.keyLocation = value;
        }
    }
    if (!kindGiven)
        return failure(QStringLiteral("「--new」か「--demo」で学校フォルダーを指定してください。"));
    if (keyGiven && parsed.request.kind == SchoolSetup::Kind::DemoSchool)
        return failure(QStringLiteral("「--key」は新しい学校（--new）のときだけ使えます。"));
    parsed.action = Action::Run;
    return parsed;
}

QString usage()
{
    return QStringLiteral("使い方:\n"
                          "  kazudori-setup --new <学校フォルダー> [--key <キーファイルの場所>]\n"
                          "      新しい学校を作ります: 共通データ.txt、名簿（「監督」と見本の生徒一人）、\n"
                          "      タイム回数データ.txt、音フォルダ、ページ。成績はまだありません。\n"
                          "      キーファイルの場所を省くと「%1」（このPCでは /mnt/A）になります。\n"
                          "      学校フォルダーの中にはできません。\n"
                          "  kazudori-setup --demo <学校フォルダー>\n"
                          "      生徒と数週間分の成績が入ったデモの学校を作ります。\n"
                          "  kazudori-setup\n"
                          "      同じことを画面で行います。\n"
                          "  kazudori-setup --help\n"
                          "      この説明を出します。\n"
                          "\n"
                          "プログラムのフォルダーの一つ上に「パスデータ.txt」を作り、学校フォルダーを書きます。\n"
                          "すでにあるファイルは書きかえません。パスデータ.txt が別の学校フォルダーを\n"
                          "指しているときは何もしないので、学校を変えるときは先に削除してください。\n")
        .arg(QString::fromUtf8(SchoolSetup::DefaultKeyLocation));
}

} // namespace SetupCommand
