// The day-cell layout editor "日付表示設定": the texts of one day cell (and of a month box's title
// band) as boxes in their own fonts, placed with the mouse and the arrow keys, centre locks, the
// dividing lines of the lists, the ruled-line dialog and a reset to the kind's defaults.
#pragma once

#include "bitmap/RenderContext.h"
#include "document/LayoutItem.h"
#include "ui/dialogs/ContentAreaView.h"

#include <QDialog>
#include <chrono>
#include <functional>
#include <optional>
#include <vector>

class QComboBox;
class QLabel;
class QPushButton;

namespace tobirae {

class UserPrompts;

struct ContentEditorContext {
    // Year and month samples are drawn for this date.
    std::chrono::year_month_day today{std::chrono::year{2027}, std::chrono::January,
                                      std::chrono::day{1}};
    ContentGrid grid; // the sub-grid of the options
};

class DayCellLayoutDialog final : public QDialog {
    Q_OBJECT
public:
    DayCellLayoutDialog(const LayoutItem& shared, const ContentEditorContext& context,
                          UserPrompts& prompts, QWidget* parent = nullptr);
    ~DayCellLayoutDialog() override;

    // What the caller takes back from: the edited record after OK; otherwise the record handed
    // in, with what "初期状態に戻す" changed.
    const LayoutItem& sharedCopy() const { return shared_; }

    ContentAreaView* areaView(ContentArea area) const;
    QComboBox* picker(ContentArea area) const;
    QLabel* status(ContentArea area) const;

    // Opens the ruled-line dialog; replaced in tests.
    using RuleEditor = std::function<std::optional<LayoutItem>(const LayoutItem&)>;
    void setRuleEditor(RuleEditor editor) { ruleEditor_ = std::move(editor); }

private:
    struct Area {
        ContentArea area;
        ContentAreaView* view = nullptr;
        QComboBox* picker = nullptr;
        QLabel* status = nullptr;
    };
    const Area* find(ContentArea area) const;
    void buildAreas();
    void rebuildBoxes();
    ContentBox makeBox(ContentArea area, ContentBoxKey key);
    void showStatus(const Area& area, int box);
    void boxMenu(const Area& area, int box, QPoint at);
    void lineMenu(const Area& area, int line, QPoint at);
    void addLine();
    void editRules();
    void resetLayout();
    void acceptEdits();
    QWidget* buildExtrasPanel();
    void storeMovedBoxes();
    void editExtraFont();

    LayoutItem shared_;
    LayoutItem work_;
    ContentEditorContext context_;
    UserPrompts& prompts_;
    RuleEditor ruleEditor_;
    RenderContext render_;
    std::vector<Area> areas_;
    ContentArea lastArea_ = ContentArea::Day;
    int openingLineCount_ = 0;
    QPushButton* addLineButton0_ = nullptr;
};

} // namespace tobirae
