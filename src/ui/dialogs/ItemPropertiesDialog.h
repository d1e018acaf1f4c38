// The item property dialog "アイテム詳細設定": everything about one item — kind, shown month or
// week, text elements with their fonts, formats and alignments, colours, frame size and
// placement, the picture file. It edits a private copy of the record; a control the user does
// not touch leaves its field exactly as stored.
#pragma once

#include "document/LayoutItem.h"
#include "ui/dialogs/ContentLayoutRules.h"

#include <QDialog>
#include <QSize>
#include <QStringList>
#include <array>
#include <chrono>
#include <functional>
#include <optional>

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QStackedWidget;
class QTabBar;
class QTreeWidget;
class QTreeWidgetItem;

namespace tobirae {

class ColourSwatch;
class UserPrompts;
struct ElementRow;

// The largest picture of the chosen file the picture panel shows.
inline constexpr QSize kThumbnailSize{160, 120};

struct ItemDialogContext {
    // The page's paper in millimetres, for the defaults a reset fills in.
    float paperWidthMm = 210;
    float paperHeightMm = 297;
    // The output month: the format lists show their samples for it.
    std::chrono::year_month_day sampleDate{std::chrono::year{2027}, std::chrono::January,
                                           std::chrono::day{1}};
    // The faces the font dialog offers (fontDialogFaces() when empty).
    QStringList faces;
    // Where a relative picture path starts (the layout's folder); empty: the working folder.
    QString layoutFolder;
};

class ItemPropertiesDialog final : public QDialog {
    Q_OBJECT
public:
    // isNew: the item has just been created, so changing its kind resets it without asking.
    ItemPropertiesDialog(const LayoutItem& item, bool isNew, const ItemDialogContext& context,
                 UserPrompts& prompts, QWidget* parent = nullptr);

    // The edited record after OK; the record passed in otherwise.
    const LayoutItem& item() const { return accepted_ ? work_ : original_; }
    // The working copy as the dialog holds it now.
    const LayoutItem& workingCopy() const { return work_; }

    // Opens the font dialog on one text style; replaced in tests. Returns the edited style, or
    // nothing when cancelled.
    using FontEditor = std::function<std::optional<FontSpec>(const FontSpec&, bool colourLocked)>;
    void setFontEditor(FontEditor editor) { fontEditor_ = std::move(editor); }
    // Opens the background-colour dialog on the working copy; replaced in tests.
    using BackColorEditor = std::function<std::optional<LayoutItem>(const LayoutItem&)>;
    void setBackColorEditor(BackColorEditor editor) { backColorEditor_ = std::move(editor); }
    // Opens the ruled-line dialog on the working copy; replaced in tests.
    void setRuleEditor(BackColorEditor editor) { ruleEditor_ = std::move(editor); }
    // Opens the day-cell layout editor on a copy of the working copy and returns that copy as
    // the editor leaves it, accepted or not; replaced in tests.
    using ContentEditor = std::function<LayoutItem(const LayoutItem&)>;
    void setContentEditor(ContentEditor editor) { contentEditor_ = std::move(editor); }
    // The sub-grid the day-cell layout editor shows and snaps to.
    void setContentGrid(const ContentGrid& grid) { contentGrid_ = grid; }

private:
    void buildWidgets();
    QWidget* buildTitlePanel();
    QWidget* buildDayPanel();
    QWidget* buildPicturePanel();
    QWidget* buildTextPanel();
    QWidget* buildSizeFrame();
    void connectReactions();

    // Working copy -> controls. Never writes the working copy.
    void showWorkingCopy();
    void showPanels();
    void showTitlePanel();
    void showDayPanel();
    void showPicturePanel();
    void showTextPanel();
    void showElementRows();
    void showRow(int row);
    void showDateColours();
    void showTransparency();

    // User reactions: each writes the fields its control stands for.
    void categoryChosen(int index);
    void layoutChosen(int index);
    void resetChosen();
    void resetToDefaults();
    bool confirmReset(const QString& question);
    void rowChecked(QTreeWidgetItem* row);
    void formatChosen(int index);
    void alignmentChosen(int alignment);
    void editRowFont();
    void editFont(int element, bool colourLocked);
    void pickColourButton(int button);
    void pickItemColour(Colour& field);
    void editBackColours();
    void editRules();
    void editContentLayout();
    void browsePicture();
    void pictureDropped(const QString& path);
    void acceptEntries();

    int selectedRow() const;
    const ElementRow* selectedElementRow() const;
    int titleElement() const;

    LayoutItem original_;
    LayoutItem work_;
    bool accepted_ = false;
    bool isNew_;
    ItemDialogContext context_;
    UserPrompts& prompts_;
    FontEditor fontEditor_;
    BackColorEditor backColorEditor_;
    BackColorEditor ruleEditor_;
    ContentEditor contentEditor_;
    ContentGrid contentGrid_;
    QString shownWidth_;
    QString shownHeight_;
    QString shownPicture_;

    QComboBox* categoryCombo_;
    QStackedWidget* panelsStack_;
    std::array<QGroupBox*, 4> panelGroup_{};
    // Panel 0: year and month display.
    std::array<QComboBox*, 2> headingStyleCombo_{};
    QLabel* headingStyleLabel1_;
    QPushButton* headingStyleButton_;
    QLabel* headingStyleLabel4_;
    // Panel 1: month family and weekly.
    // 0 layout, 1 first day of the week, 2 weekday style, 3 month, 4 week
    std::array<QComboBox*, 5> calendarCombo_{};
    std::array<QLabel*, 5> calendarLabel_{};
    QCheckBox* drawRulesCheck_;
    QCheckBox* ownNamesCheck_ = nullptr; // the user's own day names print (ItemExtension)
    std::array<QLineEdit*, 2> shownSizeEdit_{};
    QTreeWidget* calendarList_;
    QComboBox* yearMonthCombo_;
    QLabel* yearMonthLabel_;
    QButtonGroup* alignmentChoice_;
    QPushButton* rowFontButton_;
    std::array<QPushButton*, 2> dayFontsButton_{}; // calendarButton_(12), calendarButton_(13)
    std::array<QLabel*, 2> dayFontsLabel_{};
    QTabBar* colourTabs_;
    std::array<QPushButton*, 8> colourButton_{};
    std::array<ColourSwatch*, 8> colourSwatch_{};
    // Panel 2: picture.
    QLineEdit* picturePathEdit_;
    // A small picture of the chosen file, so the user sees it is the right one.
    QLabel* pictureThumbnail_ = nullptr;
    void showPictureThumbnail();
    // Panel 3: text item.
    QPlainTextEdit* textEdit_ = nullptr;
    QPushButton* textFontButton_ = nullptr;
    QLabel* textFontLabel_ = nullptr;
    QCheckBox* textBackgroundCheck_ = nullptr;
    // Background and transparent colours of the four panels.
    std::array<ColourSwatch*, 7> backColourSwatch_{};
    std::array<QPushButton*, 8> backColourButton_{};
    std::array<QCheckBox*, 4> transparentCheck_{};
    // Outside the panels.
    QGroupBox* horizontalPlacementGroup_;
    QGroupBox* verticalPlacementGroup_;
    QButtonGroup* horizontalPlacementChoice_;
    QButtonGroup* verticalPlacementChoice_;
    std::array<QCheckBox*, 2> sizeCheck_{};
    std::array<QPushButton*, 2> layoutButtons_{};
    QPushButton* resetButton_;
};

} // namespace tobirae
