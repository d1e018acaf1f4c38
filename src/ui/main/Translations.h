// Qt's own texts (dialog buttons, file dialogs) in Japanese, like the rest of the program.
#pragma once

class QCoreApplication;

namespace tobirae {

// Loads Qt's Japanese translations whatever the system language is. False when they are not
// installed (Qt's texts then stay in English).
bool installJapaneseTranslations(QCoreApplication& app);

} // namespace tobirae
