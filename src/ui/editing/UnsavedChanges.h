// When a command that would replace or close the layout asks first, what it asks, and what each
// answer does. A question is asked only when something would be lost; the answer that is the
// default never loses anything, and a save that fails or is cancelled stops the command.
#pragma once

#include <QString>
#include <functional>

namespace tobirae {

class LayoutDocument;

// How the layout is named in questions and in the recovery offer: its file name, or "無題" for
// a layout that has none yet.
QString layoutLabel(const LayoutDocument& document);

enum class ReplacingCommand { Replace, Quit };
// The buttons of a question: 保存 / 破棄 / キャンセル (default 保存), or the plain confirmation
// はい / いいえ of quitting without changes.
enum class KeepButtons { SaveDiscardCancel, YesNo };
enum class KeepAnswer { Yes, No, Cancel }; // Yes: 保存 or はい; No: 破棄 or いいえ

struct KeepQuestion {
    QString text;
    KeepButtons buttons;
};

struct KeepHooks {
    std::function<KeepAnswer(const KeepQuestion&)> ask;
    std::function<bool()> save;      // true when the layout was written
    std::function<void()> discarded; // the person chose 破棄
};

// Whether the command may go on. Without unsaved changes a replacing command goes on without a
// word and quitting asks only the plain confirmation.
bool mayReplaceLayout(bool modified, const QString& label, ReplacingCommand command,
                      const KeepHooks& hooks);

// The texts asked.
KeepQuestion keepQuestion(bool modified, const QString& label, ReplacingCommand command);

} // namespace tobirae
