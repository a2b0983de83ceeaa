#include "platform/ui/qtjapanese.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

namespace QtJapanese {

bool install(QCoreApplication &app)
{
    // qtbase_ja holds the widgets' and print support's texts.
    auto *translator = new QTranslator(&app);
    if (!translator->load(QStringLiteral("qtbase_ja"), QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        delete translator;
        return false;
    }
    return QCoreApplication::installTranslator(translator);
}

} // namespace QtJapanese
