#include "ui/dialogs/UserPrompts.h"

#include <QColorDialog>
#include <QCoreApplication>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QPushButton>

namespace tobirae {

namespace {

// Our texts separate lines with CR LF; a label wants plain line feeds.
QString displayText(const QString& text) {
    return QString(text).replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
}

} // namespace

QString applicationTitle() {
    return QStringLiteral("Tobirae");
}

QString colourPickerTitle() {
    return QStringLiteral("色の選択");
}

QString toQtFileFilter(const QString& filter) {
    const QStringList parts = filter.split(QLatin1Char('|'));
    if (parts.size() < 2)
        return filter;
    QStringList filters;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        const QString& description = parts[i];
        QStringList patterns;
        for (const QString& pattern : parts[i + 1].split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
            patterns << pattern;
            for (const QString& other : {pattern.toLower(), pattern.toUpper()}) {
                if (!patterns.contains(other))
                    patterns << other;
            }
        }
        const qsizetype open = description.indexOf(QLatin1Char('('));
        const QString name = open < 0 ? description : description.left(open).trimmed();
        filters << name + QStringLiteral(" (") + patterns.join(QLatin1Char(' ')) + QLatin1Char(')');
    }
    return filters.join(QStringLiteral(";;"));
}

PromptAnswer QtUserPrompts::ask(const QString& text, PromptButtons buttons) {
    QMessageBox box(parent_);
    box.setWindowTitle(applicationTitle());
    box.setIcon(QMessageBox::NoIcon);
    box.setText(displayText(text));
    switch (buttons) {
    case PromptButtons::Ok:
        box.setStandardButtons(QMessageBox::Ok);
        break;
    case PromptButtons::YesNo:
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        box.setDefaultButton(QMessageBox::Yes);
        box.setEscapeButton(QMessageBox::No);
        break;
    case PromptButtons::YesNoKeep:
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        box.setDefaultButton(QMessageBox::No);
        box.setEscapeButton(QMessageBox::No);
        break;
    case PromptButtons::ContinueCancel:
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::Cancel);
        box.button(QMessageBox::Yes)->setText(QStringLiteral("続行"));
        box.button(QMessageBox::Cancel)->setText(QStringLiteral("キャンセル"));
        box.setDefaultButton(QMessageBox::Cancel);
        box.setEscapeButton(QMessageBox::Cancel);
        break;
    case PromptButtons::YesNoCancel:
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
        box.setDefaultButton(QMessageBox::Yes);
        box.setEscapeButton(QMessageBox::Cancel);
        break;
    case PromptButtons::SaveDiscardCancel:
        box.setStandardButtons(QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel);
        box.button(QMessageBox::Save)->setText(QStringLiteral("保存"));
        box.button(QMessageBox::Discard)->setText(QStringLiteral("破棄"));
        box.button(QMessageBox::Cancel)->setText(QStringLiteral("キャンセル"));
        box.setDefaultButton(QMessageBox::Save);
        box.setEscapeButton(QMessageBox::Cancel);
        break;
    }
    switch (box.exec()) {
    case QMessageBox::Save:
    case QMessageBox::Yes:
        return PromptAnswer::Yes;
    case QMessageBox::Discard:
    case QMessageBox::No:
        return PromptAnswer::No;
    case QMessageBox::Cancel:
        return PromptAnswer::Cancel;
    default:
        return buttons == PromptButtons::Ok ? PromptAnswer::Ok : PromptAnswer::Cancel;
    }
}

void QtUserPrompts::message(const QString& text, PromptIcon icon) {
    QMessageBox box(parent_);
    box.setWindowTitle(applicationTitle());
    box.setIcon(icon == PromptIcon::Critical ? QMessageBox::Critical : QMessageBox::NoIcon);
    box.setText(displayText(text));
    box.setStandardButtons(QMessageBox::Ok);
    box.exec();
}

namespace {

QString runFileDialog(QWidget* parent, const FileRequest& request, bool save, QString& lastFolder) {
    QFileDialog dialog(parent, request.title.isEmpty() ? applicationTitle() : request.title);
    dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    dialog.setNameFilter(toQtFileFilter(request.filter));
    if (!request.defaultSuffix.isEmpty())
        dialog.setDefaultSuffix(request.defaultSuffix);
    const QFileInfo initial(request.initialPath);
    QString folder = request.initialPath.isEmpty() ? QString() : initial.absolutePath();
    if (request.initialPath.isEmpty() || !QFileInfo(folder).isDir())
        folder = lastFolder;
    if (!folder.isEmpty())
        dialog.setDirectory(folder);
    if (!request.initialPath.isEmpty())
        dialog.selectFile(initial.fileName());
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    const QString chosen = dialog.selectedFiles().constFirst();
    lastFolder = QFileInfo(chosen).absolutePath();
    return chosen;
}

} // namespace

QString fileChoiceProblem(const QString& chosen, bool save) {
    const QFileInfo file(chosen);
    if (!QFileInfo(file.absolutePath()).isDir())
        return QStringLiteral("フォルダーが見つかりません: %1").arg(file.absolutePath());
    if (file.isDir())
        return QStringLiteral("フォルダーが選ばれました。ファイル名を指定してください: %1")
            .arg(chosen);
    if (!save && !file.exists())
        return QStringLiteral("ファイルが見つかりません: %1").arg(chosen);
    return {};
}

QString QtUserPrompts::chooseFile(const FileRequest& request, bool save) {
    FileRequest next = request;
    for (;;) {
        const QString chosen = runFileDialog(parent_, next, save, lastFolder_);
        if (chosen.isEmpty())
            return {};
        const QString problem = fileChoiceProblem(chosen, save);
        if (problem.isEmpty())
            return chosen;
        message(problem);
        next.initialPath = chosen;
    }
}

QString QtUserPrompts::openFileName(const FileRequest& request) {
    return chooseFile(request, false);
}

QString QtUserPrompts::saveFileName(const FileRequest& request) {
    return chooseFile(request, true);
}

QString QtUserPrompts::folderName(const FileRequest& request) {
    const QString start = request.initialPath.isEmpty() ? lastFolder_ : request.initialPath;
    const QString folder = QFileDialog::getExistingDirectory(
        parent_, request.title.isEmpty() ? applicationTitle() : request.title, start);
    if (!folder.isEmpty())
        lastFolder_ = folder;
    return folder;
}

std::optional<QColor> QtUserPrompts::pickColour(const QColor& initial, const QString& title) {
    const QColor chosen =
        QColorDialog::getColor(initial, parent_, title.isEmpty() ? applicationTitle() : title);
    if (!chosen.isValid())
        return std::nullopt;
    return chosen;
}

} // namespace tobirae
