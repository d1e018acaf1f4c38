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

QString toQtFileFilter(const QString& filter) {
    const qsizetype bar = filter.indexOf(QLatin1Char('|'));
    if (bar < 0)
        return filter;
    const QString description = filter.left(bar);
    QStringList patterns;
    for (const QString& pattern : filter.mid(bar + 1).split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
        patterns << pattern;
        if (pattern.toLower() != pattern)
            patterns << pattern.toLower();
    }
    const qsizetype open = description.indexOf(QLatin1Char('('));
    const QString name = open < 0 ? description : description.left(open).trimmed();
    return name + QStringLiteral(" (") + patterns.join(QLatin1Char(' ')) + QLatin1Char(')');
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
    case PromptButtons::YesNoCancel:
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
        box.setDefaultButton(QMessageBox::Yes);
        box.setEscapeButton(QMessageBox::Cancel);
        break;
    }
    switch (box.exec()) {
    case QMessageBox::Yes:
        return PromptAnswer::Yes;
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
    QFileDialog dialog(parent, applicationTitle());
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

QString QtUserPrompts::openFileName(const FileRequest& request) {
    return runFileDialog(parent_, request, false, lastFolder_);
}

QString QtUserPrompts::saveFileName(const FileRequest& request) {
    return runFileDialog(parent_, request, true, lastFolder_);
}

std::optional<QColor> QtUserPrompts::pickColour(const QColor& initial) {
    const QColor chosen = QColorDialog::getColor(initial, parent_, applicationTitle());
    if (!chosen.isValid())
        return std::nullopt;
    return chosen;
}

} // namespace tobirae
