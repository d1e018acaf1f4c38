// Qt's own texts (dialog buttons, file dialogs) in Japanese, like the rest of the program.
#pragma once

class QCoreApplication;
class QString;
class QTranslator;

namespace tobirae {

// Loads Qt's Japanese translations whatever the system language is: from `ownFolder` (the copy
// shipped with the program) when they are there, otherwise from Qt's own folder. The installed
// translator (owned by the application), or nullptr when neither has them (Qt's texts then stay
// in English).
QTranslator* installJapaneseTranslations(QCoreApplication& app, const QString& ownFolder);
// The same with the program's "translations" data folder.
bool installJapaneseTranslations(QCoreApplication& app);

} // namespace tobirae
