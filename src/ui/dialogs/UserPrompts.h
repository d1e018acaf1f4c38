// Every message box, file dialog and colour picker of the editor goes through this interface, so
// tests can answer questions and choose files without a person.
#pragma once

#include <QColor>
#include <QString>
#include <optional>

class QWidget;

namespace tobirae {

// SaveDiscardCancel: 保存 (answers Yes, the default), 破棄 (No) and キャンセル (Cancel, also Esc).
// YesNoKeep: Yes/No for a question whose Yes loses something, so No is the default.
// ContinueCancel: 続行 (answers Yes) and キャンセル (Cancel, the default, also Esc).
enum class PromptButtons { Ok, YesNo, YesNoCancel, SaveDiscardCancel, YesNoKeep, ContinueCancel };
enum class PromptAnswer { Ok, Yes, No, Cancel };
enum class PromptIcon { None, Critical };

// A file dialog request. `filter` uses the "description|pattern" form of our texts, one or more
// pairs ("レイアウトファイル (*.CLF)|*.CLF", "ビットマップ (*.bmp)|*.bmp|JPEG (*.jpg)|*.jpg");
// `initialPath` is the proposed file (folder and name).
struct FileRequest {
    QString filter;
    QString initialPath;
    QString defaultSuffix;
    QString title; // what the dialog does ("レイアウトを開く"); empty: the application's title
};

class UserPrompts {
public:
    virtual ~UserPrompts() = default;

    virtual PromptAnswer ask(const QString& text, PromptButtons buttons) = 0;
    virtual void message(const QString& text, PromptIcon icon = PromptIcon::None) = 0;
    // Empty when the user cancelled.
    virtual QString openFileName(const FileRequest& request) = 0;
    virtual QString saveFileName(const FileRequest& request) = 0;
    // An existing folder (initialPath proposes one); empty when the user cancelled, and from
    // prompts that never choose one.
    virtual QString folderName(const FileRequest&) { return {}; }
    virtual std::optional<QColor> pickColour(const QColor& initial, const QString& title) = 0;
};

// The real thing: Qt message boxes (application title, no icon unless asked) and file dialogs.
class QtUserPrompts final : public UserPrompts {
public:
    explicit QtUserPrompts(QWidget* parent = nullptr) : parent_(parent) {}
    void setParent(QWidget* parent) { parent_ = parent; }

    PromptAnswer ask(const QString& text, PromptButtons buttons) override;
    void message(const QString& text, PromptIcon icon = PromptIcon::None) override;
    QString openFileName(const FileRequest& request) override;
    QString saveFileName(const FileRequest& request) override;
    QString folderName(const FileRequest& request) override;
    std::optional<QColor> pickColour(const QColor& initial, const QString& title) override;

private:
    // The dialog again, after a message, until the choice names a file that can be used.
    QString chooseFile(const FileRequest& request, bool save);

    QWidget* parent_;
    QString lastFolder_; // where the previous dialog ended, for dialogs without a proposal
};

// "レイアウトファイル (*.CLF)|*.CLF" -> "レイアウトファイル (*.CLF *.clf)" for QFileDialog, one
// filter per pair, joined by ";;". The files come from a system with case-blind names, so both
// spellings of every pattern are offered.
QString toQtFileFilter(const QString& filter);

// Why a file chosen in a file dialog cannot be used (empty when it can): its folder must exist,
// it must not be a folder, and a file to open must exist.
QString fileChoiceProblem(const QString& chosen, bool save);

// The application's title, used as the caption of every message box.
QString applicationTitle();
// The caption of the colour pickers the dialogs open: "色の選択".
QString colourPickerTitle();

} // namespace tobirae
