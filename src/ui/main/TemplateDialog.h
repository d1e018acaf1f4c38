// "テンプレートから新規作成": the templates as small pages of the output month, drawn by the
// renderer one after the other once the dialog is open, so it opens at once. A template that
// cannot be read shows why and cannot be chosen. OK or a double click chooses.
#pragma once

#include "bitmap/Primitives.h"
#include "ui/main/LayoutTemplates.h"

#include <QDialog>
#include <chrono>
#include <vector>

class QListWidget;
class QListWidgetItem;
class QPushButton;

namespace tobirae {

class TemplateDialog final : public QDialog {
    Q_OBJECT
public:
    TemplateDialog(std::vector<LayoutTemplate> templates, std::chrono::year_month month,
                   Colour pageBackColor, QWidget* parent = nullptr);

    // The chosen template's file; empty while none that can be used is selected.
    QString chosenPath() const;
    // Selects the template of that name (file name without extension); false when there is no
    // such template or it cannot be used.
    bool selectTemplate(const QString& name);
    std::chrono::year_month previewMonth() const { return month_; }
    // Previews drawn so far, one per usable template when all are done.
    int previewsDrawn() const { return previewsDrawn_; }

    QListWidget* templateList() const { return templateList_; }
    QPushButton* okButton() const { return okButton_; }

signals:
    void previewsFinished();

private:
    void drawNextPreview();
    void selectionChanged();

    std::vector<LayoutTemplate> templates_;
    std::chrono::year_month month_;
    Colour pageBackColor_;
    std::size_t nextPreview_ = 0;
    int previewsDrawn_ = 0;
    QListWidget* templateList_ = nullptr;
    QPushButton* okButton_ = nullptr;
};

} // namespace tobirae
