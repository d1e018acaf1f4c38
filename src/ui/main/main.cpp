// tobirae: the calendar page editor. An optional argument names a layout file to open.
#include "app/EditorStartup.h"
#include "app/SettingsLocation.h"
#include "ui/dialogs/UserPrompts.h"
#include "ui/main/CanvasView.h"
#include "ui/main/EditorWindowSetup.h"
#include "ui/main/SFrm_Main.h"
#include "ui/main/Translations.h"

#include <QApplication>
#include <QTimer>

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
    tobirae::showEditorWindow(window);

    const QStringList args = QApplication::arguments();
    if (args.size() > 1) {
        const QString file = args.at(1);
        QTimer::singleShot(0, &window, [&window, file] { window.Fnc_LayOutRead(file); });
    }
    return QApplication::exec();
}
