#include "app/EditorStartup.h"

#include "app/PageStartup.h"
#include "app/RecoveryStore.h"

#include <algorithm>

namespace tobirae {

int outputYearFor(std::chrono::year_month_day today) {
    return std::clamp(static_cast<int>(today.year()), kFirstOutputYear, kLastOutputYear);
}

std::optional<EditorStartState> startEditor(const QString& settingsPath,
                                            std::chrono::year_month_day today) {
    if (!today.ok())
        return std::nullopt;
    EditorStartState state;
    state.settings = loadAppSettings(settingsPath);
    state.outputYear = outputYearFor(today);
    state.outputMonth = static_cast<int>(static_cast<unsigned>(today.month()));
    state.document = std::make_unique<LayoutDocument>();
    state.document->page = startupPage(state.settings.Page);
    state.document->setCurrentSlot(-1);
    state.recoveryFolder = RecoveryStore::defaultFolder();
    return state;
}

QPoint windowPosition(const AppSettings& settings, QSize windowSize, QRect screen) {
    // Each coordinate missing from the settings takes its own default, the centred one.
    QPoint pos(settings.FormLeft ? *settings.FormLeft / kTwipsPerPixel
                                 : screen.left() + (screen.width() - windowSize.width()) / 2,
               settings.FormTop ? *settings.FormTop / kTwipsPerPixel
                                : screen.top() + (screen.height() - windowSize.height()) / 2);
    // Keep at least a grip of the title bar on the screen.
    constexpr int grip = 48;
    pos.setX(std::clamp(pos.x(), screen.left() - windowSize.width() + grip, screen.right() - grip));
    pos.setY(std::clamp(pos.y(), screen.top(), std::max(screen.top(), screen.bottom() - grip)));
    return pos;
}

void rememberWindowPosition(AppSettings& settings, QPoint pixels) {
    settings.FormLeft = pixels.x() * kTwipsPerPixel;
    settings.FormTop = pixels.y() * kTwipsPerPixel;
}

QString startupFailureText() {
    return QStringLiteral("プログラムの初期化処理に失敗しました。");
}

} // namespace tobirae
