// tobirae: the calendar page editor. An optional argument names a layout file to open.
#include "app/EditorStartup.h"
#include "app/SettingsLocation.h"
#include "ui/dialogs/UserPrompts.h"
#include "ui/main/CanvasView.h"
#include "ui/main/EditorWindowSetup.h"
#include "ui/main/SFrm_Main.h"
#include "ui/main/Translations.h"

#include <QApplication>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(tobirae::applicationTitle());
    tobirae::installJapaneseTranslations(app);

    tobirae::QtUserPrompts prompts;
    auto start = tobirae::startEditor(tobirae::settingsFilePath(), tobirae::localToday());
    if (!start) {
        prompts.message(tobirae::startupFailureText(), tobirae::PromptIcon::Critical);
        return 1;
    }
    tobirae::SFrm_Main window(std::move(*start), prompts);
    prompts.setParent(&window);
    const QStringList args = QApplication::arguments();
    tobirae::showEditorWindow(window, args.size() > 1 ? args.at(1) : QString());
    return QApplication::exec();
}
