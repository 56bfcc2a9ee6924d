#include "app/QtTranslation.h"

#include <QCoreApplication>
#include <QDir>
#include <QLibraryInfo>
#include <QTranslator>

namespace vx {

bool installQtRussianTexts()
{
    auto *app = QCoreApplication::instance();
    if (!app)
        return false;
    const QStringList folders{QLibraryInfo::path(QLibraryInfo::TranslationsPath),
                              QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("translations"))};
    for (const QString &folder : folders) {
        auto *translator = new QTranslator(app);
        if (translator->load(QStringLiteral("qtbase_ru"), folder) && QCoreApplication::installTranslator(translator))
            return true;
        delete translator;
    }
    return false;
}

} // namespace vx
