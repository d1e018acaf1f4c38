#include "ui/main/Translations.h"

#include "app/ProgramFolders.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>
#include <utility>

namespace tobirae {

QTranslator* installJapaneseTranslations(QCoreApplication& app, const QString& ownFolder) {
    const QLocale japanese(QLocale::Japanese, QLocale::Japan);
    QLocale::setDefault(japanese);
    auto* translator = new QTranslator(&app);
    // A copy shipped with the program is preferred: the system may lack Qt's translations. "qt"
    // is a catalogue of catalogues that fails to load when one of them is missing, so the one
    // the program's texts come from, "qtbase", is tried on its own as well.
    const QString system = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
    for (const auto& [folder, name] : {std::pair{ownFolder, QStringLiteral("qt")},
                                       std::pair{ownFolder, QStringLiteral("qtbase")},
                                       std::pair{system, QStringLiteral("qt")}}) {
        if (translator->load(japanese, name, QStringLiteral("_"), folder) &&
            QCoreApplication::installTranslator(translator))
            return translator;
    }
    delete translator;
    return nullptr;
}

bool installJapaneseTranslations(QCoreApplication& app) {
    return installJapaneseTranslations(app, dataFolder(QStringLiteral("translations"))) != nullptr;
}

} // namespace tobirae
