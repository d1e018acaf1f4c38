#include "ui/dialogs/ItemPropertiesDialog.h"

#include "render/NewItemDefaults.h"
#include "render/RuleBlock.h"
#include "ui/dialogs/ColourConversion.h"
#include "ui/dialogs/ColourSwatch.h"
#include "ui/dialogs/ItemDialogRules.h"
#include "ui/dialogs/BackgroundColourDialog.h"
#include "ui/dialogs/FontSettingsDialog.h"
#include "ui/dialogs/DayCellLayoutDialog.h"
#include "ui/dialogs/RuledLinesDialog.h"
#include "ui/dialogs/UserPrompts.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QStackedWidget>
#include <QTabBar>
#include <QTreeWidget>

namespace tobirae {

namespace {

const QString kAskResetForKind = QStringLiteral("設定を初期化します。\r\nよろしいですか?");
const QString kAskResetNewItem = QStringLiteral("初期化します。\r\nよろしいですか？");
const QString kPictureFilter =
    QStringLiteral("画像ファイル (*.bmp;*.png;*.jpg;*.jpeg)|*.bmp;*.png;*.jpg;*.jpeg|"
                   "ビットマップ (*.bmp)|*.bmp|PNG (*.png)|*.png|JPEG (*.jpg)|*.jpg;*.jpeg");
constexpr int kPictureFieldBytes = 256;

void fill(QComboBox* box, const QList<StyleChoice>& choices) {
    box->clear();
    for (const StyleChoice& choice : choices)
        box->addItem(choice.caption, choice.value);
}

// A stored value no entry offers shows as a blank selection and stays stored.
void selectValue(QComboBox* box, int value) {
    box->setCurrentIndex(box->findData(value));
}

void checkOption(QButtonGroup* group, int value) {
    if (QAbstractButton* option = group->button(value)) {
        option->setChecked(true);
        return;
    }
    group->setExclusive(false);
    for (QAbstractButton* option : group->buttons())
        option->setChecked(false);
    group->setExclusive(true);
}

int chosenValue(const QComboBox* box, int index) {
    return box->itemData(index).toInt();
}

} // namespace

ItemPropertiesDialog::ItemPropertiesDialog(const LayoutItem& item, bool isNew, const ItemDialogContext& context,
                           UserPrompts& prompts, QWidget* parent)
    : QDialog(parent), original_(item), work_(item), isNew_(isNew), context_(context),
      prompts_(prompts) {
    fontEditor_ = [this](const FontSpec& font, bool colourLocked) -> std::optional<FontSpec> {
        if (context_.faces.isEmpty())
            context_.faces = fontDialogFaces();
        FontSettingsDialog dialog(font, colourLocked, prompts_, context_.faces, this);
        if (dialog.exec() != QDialog::Accepted)
            return std::nullopt;
        return dialog.font();
    };
    backColorEditor_ = [this](const LayoutItem& record) -> std::optional<LayoutItem> {
        BackgroundColourDialog dialog(record, prompts_, this);
        if (dialog.exec() != QDialog::Accepted)
            return std::nullopt;
        return dialog.item();
    };
    ruleEditor_ = [this](const LayoutItem& record) -> std::optional<LayoutItem> {
        RuledLinesDialog dialog(record, prompts_, this);
        if (dialog.exec() != QDialog::Accepted)
            return std::nullopt;
        return dialog.item();
    };
    contentEditor_ = [this](const LayoutItem& shared) {
        DayCellLayoutDialog editor(shared, {context_.sampleDate, contentGrid_}, prompts_, this);
        editor.exec();
        return editor.sharedCopy();
    };
    buildWidgets();
    showWorkingCopy();
    connectReactions();
}

// --- working copy -> controls -------------------------------------------------------------------

void ItemPropertiesDialog::showWorkingCopy() {
    selectValue(categoryCombo_, work_.Category);
    showPanels();
    shownWidth_ = QString::number(work_.DesignWidth);
    shownHeight_ = QString::number(work_.DesignHeight);
    shownSizeEdit_[0]->setText(shownWidth_);
    shownSizeEdit_[1]->setText(shownHeight_);
    checkOption(horizontalPlacementChoice_, work_.HPlacement);
    checkOption(verticalPlacementChoice_, work_.VPlacement);
    switch (work_.Category) {
    case CategoryYear:
    case CategoryMonthDisplay:
        showTitlePanel();
        break;
    case CategoryMonthFamily:
    case CategoryWeekly:
        showDayPanel();
        break;
    case CategoryPicture:
        showPicturePanel();
        break;
    case CategoryText:
        showTextPanel();
        break;
    default:
        break;
    }
    shownPicture_ = work_.PictureFile.text();
    picturePathEdit_->setText(shownPicture_);
    sizeCheck_[0]->setChecked(isTrue(work_.FitToRect));
    sizeCheck_[1]->setChecked(isTrue(work_.FreeAspect));
    sizeCheck_[1]->setEnabled(sizeCheck_[0]->isChecked());
}

void ItemPropertiesDialog::showPanels() {
    const int category = work_.Category;
    int panel = -1;
    if (category == CategoryYear || category == CategoryMonthDisplay)
        panel = 0;
    else if (isDayCategory(category))
        panel = 1;
    else if (category == CategoryPicture)
        panel = 2;
    else if (category == CategoryText)
        panel = 3;
    panelsStack_->setCurrentIndex(panel < 0 ? 4 : panel);
    for (int i = 0; i < 4; ++i)
        panelGroup_[static_cast<std::size_t>(i)]->setEnabled(i == panel);
    if (panel >= 0)
        panelGroup_[static_cast<std::size_t>(panel)]->setTitle(categoryCombo_->currentText());
    horizontalPlacementGroup_->setEnabled(category >= CategoryMonthFamily && category <= CategoryText);
    verticalPlacementGroup_->setEnabled(isDayCategory(category) || category == CategoryPicture ||
                             category == CategoryText);
    // Text items have no design frame to fit.
    for (QCheckBox* box : sizeCheck_)
        box->setVisible(category != CategoryText);
    for (QPushButton* b : layoutButtons_)
        b->setEnabled(isDayCategory(category));
}

void ItemPropertiesDialog::showTransparency() {
    for (std::size_t i = 0; i < transparentCheck_.size(); ++i)
        transparentCheck_[i]->setChecked(isTrue(work_.Transparent));
    backColourButton_[2]->setEnabled(transparentCheck_[0]->isChecked());
    backColourButton_[3]->setEnabled(transparentCheck_[1]->isChecked());
    backColourButton_[5]->setEnabled(transparentCheck_[2]->isChecked());
    backColourButton_[7]->setEnabled(transparentCheck_[3]->isChecked());
    for (const std::size_t i : {0u, 1u, 5u})
        backColourSwatch_[i]->setColour(work_.BackColor);
    for (const std::size_t i : {2u, 3u, 4u, 6u})
        backColourSwatch_[i]->setColour(work_.TransparentColor);
    textBackgroundCheck_->setChecked(work_.Ext.textBackground);
    backColourButton_[6]->setEnabled(work_.Ext.textBackground);
}

void ItemPropertiesDialog::showTitlePanel() {
    const bool year = work_.Category == CategoryYear;
    const int month = static_cast<int>(unsigned(context_.sampleDate.month()));
    fill(headingStyleCombo_[0], year ? yearStyleChoices(context_.sampleDate) : monthStyleChoices(month));
    selectValue(headingStyleCombo_[0], work_.element(titleElement()).Style);
    headingStyleLabel1_->setText(year ? QStringLiteral("年設定") : QStringLiteral("月設定"));
    fill(headingStyleCombo_[1], year ? yearSelectorChoices() : monthSelectorChoices());
    selectValue(headingStyleCombo_[1], work_.MonthSelector);
    headingStyleLabel4_->setText(fontDescription(work_.element(titleElement()).Font));
    showTransparency();
}

void ItemPropertiesDialog::showDayPanel() {
    const bool weekly = work_.Category == CategoryWeekly;
    fill(calendarCombo_[0], layoutChoices(work_.Category));
    selectValue(calendarCombo_[0], work_.LayoutVariant);
    fill(calendarCombo_[3], monthSelectorChoices());
    selectValue(calendarCombo_[3], work_.MonthSelector);
    calendarLabel_[3]->setText(weekly ? QStringLiteral("単位設定") : QStringLiteral("月指定"));
    if (weekly) {
        fill(calendarCombo_[4], weekRangeChoices());
        selectValue(calendarCombo_[4], work_.WeekRange);
    } else {
        calendarCombo_[4]->clear();
    }
    calendarCombo_[4]->setVisible(weekly);
    calendarCombo_[4]->setEnabled(weekly);
    calendarLabel_[4]->setVisible(weekly);
    selectValue(calendarCombo_[2], work_.WeekdayStyle);
    const bool weeks = hasWeekStart(work_.Category, work_.LayoutVariant);
    selectValue(calendarCombo_[1], static_cast<int>(work_.Ext.weekStart));
    calendarCombo_[1]->setEnabled(weeks);
    calendarLabel_[1]->setEnabled(weeks);
    drawRulesCheck_->setChecked(ruleBlock(std::as_const(work_)).drawRules());
    ownNamesCheck_->setChecked(!work_.Ext.hideOwnNames);
    showElementRows();
    dayFontsLabel_[0]->setText(fontDescription(work_.element(Day).Font));
    dayFontsLabel_[1]->setText(fontDescription(work_.element(Weekday).Font));
    showDateColours();
    showTransparency();
    backColourButton_[4]->setEnabled(work_.LayoutVariant >= VariantBox5 &&
                                 work_.LayoutVariant <= VariantHorizontal);
}

void ItemPropertiesDialog::showPicturePanel() {
    showTransparency();
}

void ItemPropertiesDialog::showTextPanel() {
    const QSignalBlocker blocker(textEdit_);
    if (textEdit_->toPlainText() != work_.Ext.text)
        textEdit_->setPlainText(work_.Ext.text);
    textFontLabel_->setText(fontDescription(work_.element(Year1).Font));
    showTransparency();
}

namespace {

QStringList rowTexts(const LayoutItem& item, const ElementRow& row,
                     std::chrono::year_month_day sampleDate) {
    return {QString::fromUtf16(row.label), fontDescription(item.element(row.element).Font),
            rowFormatText(row, rowFormatValue(item, row), sampleDate),
            alignmentWord(item.Align[static_cast<std::size_t>(row.element)])};
}

} // namespace

void ItemPropertiesDialog::showElementRows() {
    const QSignalBlocker blocker(calendarList_);
    calendarList_->clear();
    const int rows = elementRowCount(work_.LayoutVariant);
    for (int r = 0; r < rows; ++r) {
        const ElementRow& row = elementRows()[static_cast<std::size_t>(r)];
        auto* entry = new QTreeWidgetItem(calendarList_, rowTexts(work_, row, context_.sampleDate));
        entry->setData(0, Qt::UserRole, r);
        entry->setFlags(entry->flags() | Qt::ItemIsUserCheckable);
        entry->setCheckState(0, isTrue(work_.element(row.element).Shown) ? Qt::Checked
                                                                         : Qt::Unchecked);
    }
    calendarList_->setCurrentItem(calendarList_->topLevelItem(0));
    showRow(0);
}

void ItemPropertiesDialog::showRow(int r) {
    if (r < 0 || r >= static_cast<int>(elementRows().size()))
        return;
    const ElementRow& row = elementRows()[static_cast<std::size_t>(r)];
    switch (row.format) {
    case RowFormat::Year:
        fill(yearMonthCombo_, yearStyleChoices(context_.sampleDate));
        break;
    case RowFormat::Month:
        fill(yearMonthCombo_,
             monthStyleChoices(static_cast<int>(unsigned(context_.sampleDate.month()))));
        break;
    case RowFormat::OldCalendar:
        fill(yearMonthCombo_, oldCalendarStyleChoices(static_cast<int>(context_.sampleDate.year())));
        break;
    case RowFormat::Sekki:
        fill(yearMonthCombo_, sekkiChoices());
        break;
    case RowFormat::None:
        yearMonthCombo_->clear();
        break;
    }
    const bool hasFormat = row.format != RowFormat::None;
    yearMonthCombo_->setEnabled(hasFormat);
    yearMonthLabel_->setEnabled(hasFormat);
    if (hasFormat)
        selectValue(yearMonthCombo_, rowFormatValue(work_, row));
    checkOption(alignmentChoice_, work_.Align[static_cast<std::size_t>(row.element)]);
}

void ItemPropertiesDialog::showDateColours() {
    const bool dates = colourTabs_->currentIndex() == 0;
    for (int k = 0; k < 8; ++k) {
        const int slot = dates ? dateColourSlot(k) : weekdayColourSlot(k);
        const auto i = static_cast<std::size_t>(k);
        colourSwatch_[i]->setVisible(slot >= 0);
        colourButton_[i]->setEnabled(slot >= 0);
        if (slot >= 0)
            colourSwatch_[i]->setColour(dates ? work_.DateColor[static_cast<std::size_t>(slot)]
                                          : work_.WeekdayNameColor[static_cast<std::size_t>(slot)]);
    }
}

// --- reactions ----------------------------------------------------------------------------------

void ItemPropertiesDialog::connectReactions() {
    connect(categoryCombo_, &QComboBox::activated, this, &ItemPropertiesDialog::categoryChosen);
    connect(calendarCombo_[0], &QComboBox::activated, this, &ItemPropertiesDialog::layoutChosen);
    connect(resetButton_, &QPushButton::clicked, this, &ItemPropertiesDialog::resetChosen);
    connect(headingStyleCombo_[0], &QComboBox::activated, this, [this](int index) {
        work_.element(titleElement()).Style = chosenValue(headingStyleCombo_[0], index);
    });
    connect(headingStyleCombo_[1], &QComboBox::activated, this,
            [this](int index) { work_.MonthSelector = chosenValue(headingStyleCombo_[1], index); });
    connect(calendarCombo_[1], &QComboBox::activated, this, [this](int index) {
        work_.Ext.weekStart = static_cast<WeekStart>(chosenValue(calendarCombo_[1], index));
    });
    connect(textEdit_, &QPlainTextEdit::textChanged, this,
            [this] { work_.Ext.text = textEdit_->toPlainText(); });
    connect(textFontButton_, &QPushButton::clicked, this, [this] { editFont(Year1, false); });
    connect(textBackgroundCheck_, &QCheckBox::clicked, this, [this](bool on) {
        work_.Ext.textBackground = on;
        showTransparency();
    });
    connect(calendarCombo_[2], &QComboBox::activated, this,
            [this](int index) { work_.WeekdayStyle = chosenValue(calendarCombo_[2], index); });
    connect(calendarCombo_[3], &QComboBox::activated, this,
            [this](int index) { work_.MonthSelector = chosenValue(calendarCombo_[3], index); });
    connect(calendarCombo_[4], &QComboBox::activated, this,
            [this](int index) { work_.WeekRange = chosenValue(calendarCombo_[4], index); });
    connect(drawRulesCheck_, &QCheckBox::clicked, this,
            [this](bool on) { ruleBlock(work_).setDrawRules(on); });
    connect(ownNamesCheck_, &QCheckBox::clicked, this,
            [this](bool on) { work_.Ext.hideOwnNames = !on; });
    connect(calendarList_, &QTreeWidget::itemChanged, this, &ItemPropertiesDialog::rowChecked);
    connect(calendarList_, &QTreeWidget::currentItemChanged, this, [this] { showRow(selectedRow()); });
    connect(yearMonthCombo_, &QComboBox::activated, this, &ItemPropertiesDialog::formatChosen);
    connect(alignmentChoice_, &QButtonGroup::idClicked, this, &ItemPropertiesDialog::alignmentChosen);
    connect(rowFontButton_, &QPushButton::clicked, this, &ItemPropertiesDialog::editRowFont);
    connect(headingStyleButton_, &QPushButton::clicked, this, [this] { editFont(titleElement(), false); });
    connect(dayFontsButton_[0], &QPushButton::clicked, this, [this] { editFont(Day, true); });
    connect(dayFontsButton_[1], &QPushButton::clicked, this, [this] { editFont(Weekday, true); });
    connect(colourTabs_, &QTabBar::currentChanged, this, &ItemPropertiesDialog::showDateColours);
    for (int k = 0; k < 8; ++k)
        connect(colourButton_[static_cast<std::size_t>(k)], &QPushButton::clicked, this,
                [this, k] { pickColourButton(k); });
    for (const std::size_t i : {0u, 1u, 6u})
        connect(backColourButton_[i], &QPushButton::clicked, this,
                [this] { pickItemColour(work_.BackColor); });
    for (const std::size_t i : {2u, 3u, 5u, 7u})
        connect(backColourButton_[i], &QPushButton::clicked, this,
                [this] { pickItemColour(work_.TransparentColor); });
    connect(backColourButton_[4], &QPushButton::clicked, this, &ItemPropertiesDialog::editBackColours);
    connect(layoutButtons_[0], &QPushButton::clicked, this, &ItemPropertiesDialog::editContentLayout);
    connect(layoutButtons_[1], &QPushButton::clicked, this, &ItemPropertiesDialog::editRules);
    for (QCheckBox* box : transparentCheck_)
        connect(box, &QCheckBox::clicked, this, [this](bool on) {
            work_.Transparent = toB16(on);
            showTransparency();
        });
    connect(findChild<QPushButton*>(QStringLiteral("fileButton")), &QPushButton::clicked, this,
            &ItemPropertiesDialog::browsePicture);
    connect(horizontalPlacementChoice_, &QButtonGroup::idClicked, this,
            [this](int id) { work_.HPlacement = id; });
    connect(verticalPlacementChoice_, &QButtonGroup::idClicked, this,
            [this](int id) { work_.VPlacement = id; });
    connect(sizeCheck_[0], &QCheckBox::clicked, this, [this](bool on) {
        work_.FitToRect = toB16(on);
        sizeCheck_[1]->setEnabled(on);
    });
    connect(sizeCheck_[1], &QCheckBox::clicked, this,
            [this](bool on) { work_.FreeAspect = toB16(on); });
}

bool ItemPropertiesDialog::confirmReset(const QString& question) {
    return prompts_.ask(question, PromptButtons::YesNo) == PromptAnswer::Yes;
}

void ItemPropertiesDialog::categoryChosen(int index) {
    const int category = chosenValue(categoryCombo_, index);
    if (category == work_.Category)
        return;
    work_.Category = category;
    // A layout the new category also offers is kept; otherwise its first layout is taken.
    const QList<StyleChoice> layouts = layoutChoices(category);
    if (!layouts.isEmpty() &&
        std::none_of(layouts.begin(), layouts.end(),
                     [this](const StyleChoice& c) { return c.value == work_.LayoutVariant; }))
        work_.LayoutVariant = layouts.first().value;
    // The question is asked over the new kind's controls.
    showWorkingCopy();
    if (isNew_ || confirmReset(kAskResetForKind))
        resetToDefaults();
}

void ItemPropertiesDialog::layoutChosen(int index) {
    const int variant = chosenValue(calendarCombo_[0], index);
    if (variant == work_.LayoutVariant)
        return;
    work_.LayoutVariant = variant;
    showElementRows();
    const bool weeks = hasWeekStart(work_.Category, variant);
    calendarCombo_[1]->setEnabled(weeks);
    calendarLabel_[1]->setEnabled(weeks);
    backColourButton_[4]->setEnabled(true);
    if (isNew_ || confirmReset(kAskResetForKind))
        resetToDefaults();
}

void ItemPropertiesDialog::resetChosen() {
    if (confirmReset(kAskResetNewItem))
        resetToDefaults();
}

void ItemPropertiesDialog::resetToDefaults() {
    const int variant = isDayCategory(work_.Category) ? work_.LayoutVariant : 0;
    applyNewItemDefaults(work_.Category, variant, work_, context_.paperWidthMm,
                        context_.paperHeightMm);
    showWorkingCopy();
}

int ItemPropertiesDialog::selectedRow() const {
    const QTreeWidgetItem* current = calendarList_->currentItem();
    return current ? current->data(0, Qt::UserRole).toInt() : -1;
}

const ElementRow* ItemPropertiesDialog::selectedElementRow() const {
    const int r = selectedRow();
    if (r < 0 || r >= static_cast<int>(elementRows().size()))
        return nullptr;
    return &elementRows()[static_cast<std::size_t>(r)];
}

int ItemPropertiesDialog::titleElement() const {
    return work_.Category == CategoryYear ? Year1 : Month1;
}

void ItemPropertiesDialog::rowChecked(QTreeWidgetItem* entry) {
    const int r = entry->data(0, Qt::UserRole).toInt();
    if (r < 0 || r >= static_cast<int>(elementRows().size()))
        return;
    ContentElement& element = work_.element(elementRows()[static_cast<std::size_t>(r)].element);
    const bool checked = entry->checkState(0) == Qt::Checked;
    if (checked != isTrue(element.Shown))
        element.Shown = toB16(checked);
}

namespace {

void refreshRow(QTreeWidget* list, const LayoutItem& item, int r,
                std::chrono::year_month_day sampleDate) {
    QTreeWidgetItem* entry = list->topLevelItem(r);
    if (!entry)
        return;
    const QSignalBlocker blocker(list);
    const QStringList texts =
        rowTexts(item, elementRows()[static_cast<std::size_t>(r)], sampleDate);
    for (int column = 1; column < texts.size(); ++column)
        entry->setText(column, texts[column]);
}

} // namespace

void ItemPropertiesDialog::formatChosen(int index) {
    const ElementRow* row = selectedElementRow();
    if (!row || row->format == RowFormat::None)
        return;
    setRowFormatValue(work_, *row, chosenValue(yearMonthCombo_, index));
    refreshRow(calendarList_, work_, selectedRow(), context_.sampleDate);
}

void ItemPropertiesDialog::alignmentChosen(int alignment) {
    const ElementRow* row = selectedElementRow();
    if (!row)
        return;
    work_.Align[static_cast<std::size_t>(row->element)] = static_cast<std::int16_t>(alignment);
    refreshRow(calendarList_, work_, selectedRow(), context_.sampleDate);
}

void ItemPropertiesDialog::editRowFont() {
    if (const ElementRow* row = selectedElementRow())
        editFont(row->element, false);
}

void ItemPropertiesDialog::editFont(int element, bool colourLocked) {
    const auto edited = fontEditor_(work_.element(element).Font, colourLocked);
    if (!edited)
        return;
    work_.element(element).Font = *edited;
    headingStyleLabel4_->setText(fontDescription(work_.element(titleElement()).Font));
    dayFontsLabel_[0]->setText(fontDescription(work_.element(Day).Font));
    dayFontsLabel_[1]->setText(fontDescription(work_.element(Weekday).Font));
    textFontLabel_->setText(fontDescription(work_.element(Year1).Font));
    for (int r = 0; r < calendarList_->topLevelItemCount(); ++r)
        refreshRow(calendarList_, work_, r, context_.sampleDate);
}

void ItemPropertiesDialog::pickItemColour(Colour& field) {
    if (const auto chosen = prompts_.pickColour(qColorFromBgr(field), colourPickerTitle())) {
        field = bgrFromQColor(*chosen);
        showTransparency();
        showDateColours();
    }
}

void ItemPropertiesDialog::pickColourButton(int button) {
    const bool dates = colourTabs_->currentIndex() == 0;
    const int slot = dates ? dateColourSlot(button) : weekdayColourSlot(button);
    if (slot < 0)
        return;
    pickItemColour(dates ? work_.DateColor[static_cast<std::size_t>(slot)]
                         : work_.WeekdayNameColor[static_cast<std::size_t>(slot)]);
}

void ItemPropertiesDialog::editBackColours() {
    if (const auto edited = backColorEditor_(work_))
        work_.CellBackColor = edited->CellBackColor;
}

void ItemPropertiesDialog::editRules() {
    if (const auto edited = ruleEditor_(work_))
        work_.RuleBlock = edited->RuleBlock;
}

// The editor lays the cell out at the design size typed so far; whatever it leaves in its copy,
// accepted or not, brings back the layout values only.
void ItemPropertiesDialog::editContentLayout() {
    LayoutItem handed = work_;
    const std::array<QString, 2> shownSizes{shownWidth_, shownHeight_};
    const std::array<std::int32_t*, 2> sizeFields{&handed.DesignWidth, &handed.DesignHeight};
    for (std::size_t i = 0; i < 2; ++i) {
        if (shownSizeEdit_[i]->text() == shownSizes[i])
            continue;
        const TypedNumber typed =
            typedNumber(shownSizeEdit_[i]->text(), kMinDesignSize, kMaxDesignSize);
        if (typed.outcome == TypedNumber::Accepted)
            *sizeFields[i] = typed.value;
    }
    takeBackContentLayout(work_, contentEditor_(handed));
}

namespace {

// The refusal for a path the record cannot hold, or an empty text when it fits.
QString pictureRefusal(const QString& path) {
    return storedTextMessage(storedTextProblem(path, kPictureFieldBytes),
                             QStringLiteral("画像ファイル名"), kPictureFieldBytes);
}

} // namespace

void ItemPropertiesDialog::browsePicture() {
    FileRequest request;
    request.filter = kPictureFilter;
    request.initialPath = picturePathEdit_->text().trimmed();
    const QString chosen = prompts_.openFileName(request);
    if (chosen.isEmpty())
        return;
    pictureDropped(chosen);
}

void ItemPropertiesDialog::pictureDropped(const QString& path) {
    const QString refusal = pictureRefusal(path);
    if (!refusal.isEmpty()) {
        prompts_.message(refusal);
        return;
    }
    picturePathEdit_->setText(path);
}

void ItemPropertiesDialog::acceptEntries() {
    LayoutItem result = work_;
    const std::array<QString, 2> shownSizes{shownWidth_, shownHeight_};
    const std::array<std::int32_t*, 2> sizeFields{&result.DesignWidth, &result.DesignHeight};
    for (std::size_t i = 0; i < 2; ++i) {
        if (shownSizeEdit_[i]->text() == shownSizes[i])
            continue;
        const TypedNumber typed =
            typedNumber(shownSizeEdit_[i]->text(), kMinDesignSize, kMaxDesignSize);
        if (typed.outcome == TypedNumber::OutOfRange) {
            prompts_.message(QStringLiteral("幅と高さには%1から%2までの数値を入力してください。")
                                 .arg(kMinDesignSize)
                                 .arg(kMaxDesignSize));
            shownSizeEdit_[i]->setText(shownSizes[i]);
            shownSizeEdit_[i]->setFocus();
            return;
        }
        if (typed.outcome == TypedNumber::Accepted)
            *sizeFields[i] = typed.value;
    }
    if (picturePathEdit_->text() != shownPicture_) {
        const QString path = picturePathEdit_->text().trimmed();
        const QString refusal = pictureRefusal(path);
        if (!refusal.isEmpty()) {
            prompts_.message(refusal);
            picturePathEdit_->setFocus();
            return;
        }
        result.PictureFile.setText(path);
        // Another picture is drawn at its own size, as when it is dropped on the item.
        result.DesignWidth = 0;
        result.DesignHeight = 0;
    }
    // Month-family and weekly items always print the day number and weekday name.
    const bool kindChanged =
        result.Category != original_.Category || result.LayoutVariant != original_.LayoutVariant;
    if (kindChanged && isDayCategory(result.Category)) {
        for (const int k : {Day, Weekday}) {
            if (!isTrue(result.element(k).Shown))
                result.element(k).Shown = kTrue;
        }
    }
    work_ = result;
    accepted_ = true;
    accept();
}

} // namespace tobirae
