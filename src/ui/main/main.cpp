// tobirae: the calendar page editor. An optional argument names a layout file to open.
#include "app/EditorStartup.h"
#include "app/SettingsLocation.h"
#include "ui/dialogs/ScreenFit.h"
#include "ui/dialogs/UserPrompts.h"
#include "ui/main/CanvasView.h"
#include "ui/main/EditorWindowSetup.h"
#include "ui/main/LayoutFiles.h"
#include "ui/main/MainWindow.h"
#include "ui/main/Translations.h"

#include <QApplication>
#include <QIcon>
#include <cstdio>
#include <optional>
#include <string_view>

namespace {

constexpr const char* kUsage =
    "Usage: tobirae [LAYOUT.CLF]\n"
    "\n"
    "Opens the calendar page editor, with the layout file when one is given.\n"
    "\n"
    "Options:\n"
    "  -h, --help  this text\n"
    "  --version   the version of tobirae\n"
    "\n"
    "Qt's own options (-platform, -style, ...) are accepted as well. Pages are written from\n"
    "the command line with tobirae-cli.\n";

// Answered before Qt looks for a display, so they work on a machine without one.
std::optional<int> answerInformationOption(int argc, char* argv[]) {
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i];
        if (arg == "--version")
            std::fputs("tobirae " TOBIRAE_VERSION "\n", stdout);
        else if (arg == "-h" || arg == "--help")
            std::fputs(kUsage, stdout);
        else
            continue;
        return std::fflush(stdout) == 0 && !std::ferror(stdout) ? 0 : 1;
    }
    return std::nullopt;
}

} // namespace

int main(int argc, char* argv[]) {
    if (const auto status = answerInformationOption(argc, argv))
        return *status;
    QApplication app(argc, argv);
    QApplication::setApplicationName(tobirae::applicationTitle());
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/icons/tobirae.png")));
    // Lets the desktop match the window with the installed menu entry.
    QGuiApplication::setDesktopFileName(QStringLiteral("tobirae"));
    tobirae::installJapaneseTranslations(app);
    tobirae::installScreenFit(app);

    tobirae::QtUserPrompts prompts;
    auto start = tobirae::startEditor(tobirae::settingsFilePath(), tobirae::localToday());
    if (!start) {
        prompts.message(tobirae::startupFailureText(), tobirae::PromptIcon::Critical);
        return 1;
    }
    tobirae::MainWindow window(std::move(*start), prompts);
    prompts.setParent(&window);
    const QStringList args = QApplication::arguments();
    tobirae::showEditorWindow(window, args.size() > 1 ? args.at(1) : QString());
    window.files().offerRecovery();
    return QApplication::exec();
}
