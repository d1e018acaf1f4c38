#include "ui/editing/UnsavedChanges.h"

#include "document/LayoutDocument.h"

#include <QFileInfo>

namespace tobirae {

QString layoutLabel(const LayoutDocument& document) {
    const QString name = QFileInfo(document.path()).fileName();
    return name.isEmpty() ? QStringLiteral("無題") : name;
}

KeepQuestion keepQuestion(bool modified, const QString& label, ReplacingCommand command) {
    const QString quit =
        command == ReplacingCommand::Quit ? QStringLiteral("終了します。\r\n") : QString();
    if (!modified)
        return {quit + QStringLiteral("よろしいですか？"), KeepButtons::YesNo};
    return {quit + QStringLiteral("「%1」は変更されています。\r\n編集中のデータを保存しますか？")
                       .arg(label),
            KeepButtons::SaveDiscardCancel};
}

bool mayReplaceLayout(bool modified, const QString& label, ReplacingCommand command,
                      const KeepHooks& hooks) {
    if (!modified && command == ReplacingCommand::Replace)
        return true;
    const KeepQuestion question = keepQuestion(modified, label, command);
    const KeepAnswer answer = hooks.ask(question);
    if (!modified)
        return answer == KeepAnswer::Yes;
    switch (answer) {
    case KeepAnswer::Yes:
        return hooks.save();
    case KeepAnswer::No:
        if (hooks.discarded)
            hooks.discarded();
        return true;
    case KeepAnswer::Cancel:
        break;
    }
    return false;
}

} // namespace tobirae
