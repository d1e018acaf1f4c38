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
    selectValue(Cmb_YMD, work_.Category);
    showPanels();
    shownWidth_ = QString::number(work_.DesignWidth);
    shownHeight_ = QString::number(work_.DesignHeight);
    Txt_StdSize[0]->setText(shownWidth_);
    Txt_StdSize[1]->setText(shownHeight_);
    checkOption(Opt_PrintLeft, work_.HPlacement);
    checkOption(Opt_PrintTop, work_.VPlacement);
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
    Text1->setText(shownPicture_);
    Chk_Size[0]->setChecked(isTrue(work_.FitToRect));
    Chk_Size[1]->setChecked(isTrue(work_.FreeAspect));
    Chk_Size[1]->setEnabled(Chk_Size[0]->isChecked());
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
    Stk_Panels->setCurrentIndex(panel < 0 ? 4 : panel);
    for (int i = 0; i < 4; ++i)
        Fra_Panel[static_cast<std::size_t>(i)]->setEnabled(i == panel);
    if (panel >= 0)
        Fra_Panel[static_cast<std::size_t>(panel)]->setTitle(Cmb_YMD->currentText());
    Fra_PrintLeft->setEnabled(category >= CategoryMonthFamily && category <= CategoryText);
    Fra_PrintTop->setEnabled(isDayCategory(category) || category == CategoryPicture ||
                             category == CategoryText);
    // Text items have no design frame to fit.
    for (QCheckBox* box : Chk_Size)
        box->setVisible(category != CategoryText);
    for (QPushButton* b : Command1)
        b->setEnabled(isDayCategory(category));
}

void ItemPropertiesDialog::showTransparency() {
    for (std::size_t i = 0; i < Chk_ClearColor.size(); ++i)
        Chk_ClearColor[i]->setChecked(isTrue(work_.Transparent));
    Cmd_BackColor[2]->setEnabled(Chk_ClearColor[0]->isChecked());
    Cmd_BackColor[3]->setEnabled(Chk_ClearColor[1]->isChecked());
    Cmd_BackColor[5]->setEnabled(Chk_ClearColor[2]->isChecked());
    Cmd_BackColor[7]->setEnabled(Chk_ClearColor[3]->isChecked());
    for (const std::size_t i : {0u, 1u, 5u})
        Pic_BackColor[i]->setColour(work_.BackColor);
    for (const std::size_t i : {2u, 3u, 4u, 6u})
        Pic_BackColor[i]->setColour(work_.TransparentColor);
    Chk_TextBack->setChecked(work_.Ext.textBackground);
    Cmd_BackColor[6]->setEnabled(work_.Ext.textBackground);
}

void ItemPropertiesDialog::showTitlePanel() {
    const bool year = work_.Category == CategoryYear;
    const int month = static_cast<int>(unsigned(context_.sampleDate.month()));
    fill(Cmb_YMD_Sub[0], year ? yearStyleChoices(context_.sampleDate) : monthStyleChoices(month));
    selectValue(Cmb_YMD_Sub[0], work_.element(titleElement()).Style);
    Lbl_YMD_Sub1->setText(year ? QStringLiteral("年設定") : QStringLiteral("月設定"));
    fill(Cmb_YMD_Sub[1], year ? yearSelectorChoices() : monthSelectorChoices());
    selectValue(Cmb_YMD_Sub[1], work_.MonthSelector);
    Lbl_YMD_Sub4->setText(fontDescription(work_.element(titleElement()).Font));
    showTransparency();
}

void ItemPropertiesDialog::showDayPanel() {
    const bool weekly = work_.Category == CategoryWeekly;
    fill(Cmb_1Month[0], layoutChoices(work_.Category));
    selectValue(Cmb_1Month[0], work_.LayoutVariant);
    fill(Cmb_1Month[3], monthSelectorChoices());
    selectValue(Cmb_1Month[3], work_.MonthSelector);
    Lbl_1Month[3]->setText(weekly ? QStringLiteral("単位設定") : QStringLiteral("月指定"));
    if (weekly) {
        fill(Cmb_1Month[4], weekRangeChoices());
        selectValue(Cmb_1Month[4], work_.WeekRange);
    } else {
        Cmb_1Month[4]->clear();
    }
    Cmb_1Month[4]->setVisible(weekly);
    Cmb_1Month[4]->setEnabled(weekly);
    Lbl_1Month[4]->setVisible(weekly);
    selectValue(Cmb_1Month[2], work_.WeekdayStyle);
    const bool weeks = hasWeekStart(work_.Category, work_.LayoutVariant);
    selectValue(Cmb_1Month[1], static_cast<int>(work_.Ext.weekStart));
    Cmb_1Month[1]->setEnabled(weeks);
    Lbl_1Month[1]->setEnabled(weeks);
    Chk_1Month0->setChecked(ruleBlock(std::as_const(work_)).drawRules());
    Chk_OwnNames->setChecked(!work_.Ext.hideOwnNames);
    showElementRows();
    Lbl_DayFonts[0]->setText(fontDescription(work_.element(Day).Font));
    Lbl_DayFonts[1]->setText(fontDescription(work_.element(Weekday).Font));
    showDateColours();
    showTransparency();
    Cmd_BackColor[4]->setEnabled(work_.LayoutVariant >= VariantBox5 &&
                                 work_.LayoutVariant <= VariantHorizontal);
}

void ItemPropertiesDialog::showPicturePanel() {
    showTransparency();
}

void ItemPropertiesDialog::showTextPanel() {
    const QSignalBlocker blocker(Txt_Text);
    if (Txt_Text->toPlainText() != work_.Ext.text)
        Txt_Text->setPlainText(work_.Ext.text);
    Lbl_TextFont->setText(fontDescription(work_.element(Year1).Font));
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
    const QSignalBlocker blocker(Lst_1Month);
    Lst_1Month->clear();
    const int rows = elementRowCount(work_.LayoutVariant);
    for (int r = 0; r < rows; ++r) {
        const ElementRow& row = elementRows()[static_cast<std::size_t>(r)];
        auto* entry = new QTreeWidgetItem(Lst_1Month, rowTexts(work_, row, context_.sampleDate));
        entry->setData(0, Qt::UserRole, r);
        entry->setFlags(entry->flags() | Qt::ItemIsUserCheckable);
        entry->setCheckState(0, isTrue(work_.element(row.element).Shown) ? Qt::Checked
                                                                         : Qt::Unchecked);
    }
    Lst_1Month->setCurrentItem(Lst_1Month->topLevelItem(0));
    showRow(0);
}

void ItemPropertiesDialog::showRow(int r) {
    if (r < 0 || r >= static_cast<int>(elementRows().size()))
        return;
    const ElementRow& row = elementRows()[static_cast<std::size_t>(r)];
    switch (row.format) {
    case RowFormat::Year:
        fill(Cmb_YearMonth, yearStyleChoices(context_.sampleDate));
        break;
    case RowFormat::Month:
        fill(Cmb_YearMonth,
             monthStyleChoices(static_cast<int>(unsigned(context_.sampleDate.month()))));
        break;
    case RowFormat::OldCalendar:
        fill(Cmb_YearMonth, oldCalendarStyleChoices(static_cast<int>(context_.sampleDate.year())));
        break;
    case RowFormat::Sekki:
        fill(Cmb_YearMonth, sekkiChoices());
        break;
    case RowFormat::None:
        Cmb_YearMonth->clear();
        break;
    }
    const bool hasFormat = row.format != RowFormat::None;
    Cmb_YearMonth->setEnabled(hasFormat);
    Lbl_YearMonth->setEnabled(hasFormat);
    if (hasFormat)
        selectValue(Cmb_YearMonth, rowFormatValue(work_, row));
    checkOption(Opt_StrState, work_.Align[static_cast<std::size_t>(row.element)]);
}

void ItemPropertiesDialog::showDateColours() {
    const bool dates = Tab_Color->currentIndex() == 0;
    for (int k = 0; k < 8; ++k) {
        const int slot = dates ? dateColourSlot(k) : weekdayColourSlot(k);
        const auto i = static_cast<std::size_t>(k);
        Pic_Color[i]->setVisible(slot >= 0);
        Cmd_Color[i]->setEnabled(slot >= 0);
        if (slot >= 0)
            Pic_Color[i]->setColour(dates ? work_.DateColor[static_cast<std::size_t>(slot)]
                                          : work_.WeekdayNameColor[static_cast<std::size_t>(slot)]);
    }
}

// --- reactions ----------------------------------------------------------------------------------

void ItemPropertiesDialog::connectReactions() {
    connect(Cmb_YMD, &QComboBox::activated, this, &ItemPropertiesDialog::categoryChosen);
    connect(Cmb_1Month[0], &QComboBox::activated, this, &ItemPropertiesDialog::layoutChosen);
    connect(Command2, &QPushButton::clicked, this, &ItemPropertiesDialog::resetChosen);
    connect(Cmb_YMD_Sub[0], &QComboBox::activated, this, [this](int index) {
        work_.element(titleElement()).Style = chosenValue(Cmb_YMD_Sub[0], index);
    });
    connect(Cmb_YMD_Sub[1], &QComboBox::activated, this,
            [this](int index) { work_.MonthSelector = chosenValue(Cmb_YMD_Sub[1], index); });
    connect(Cmb_1Month[1], &QComboBox::activated, this, [this](int index) {
        work_.Ext.weekStart = static_cast<WeekStart>(chosenValue(Cmb_1Month[1], index));
    });
    connect(Txt_Text, &QPlainTextEdit::textChanged, this,
            [this] { work_.Ext.text = Txt_Text->toPlainText(); });
    connect(Cmd_TextFont, &QPushButton::clicked, this, [this] { editFont(Year1, false); });
    connect(Chk_TextBack, &QCheckBox::clicked, this, [this](bool on) {
        work_.Ext.textBackground = on;
        showTransparency();
    });
    connect(Cmb_1Month[2], &QComboBox::activated, this,
            [this](int index) { work_.WeekdayStyle = chosenValue(Cmb_1Month[2], index); });
    connect(Cmb_1Month[3], &QComboBox::activated, this,
            [this](int index) { work_.MonthSelector = chosenValue(Cmb_1Month[3], index); });
    connect(Cmb_1Month[4], &QComboBox::activated, this,
            [this](int index) { work_.WeekRange = chosenValue(Cmb_1Month[4], index); });
    connect(Chk_1Month0, &QCheckBox::clicked, this,
            [this](bool on) { ruleBlock(work_).setDrawRules(on); });
    connect(Chk_OwnNames, &QCheckBox::clicked, this,
            [this](bool on) { work_.Ext.hideOwnNames = !on; });
    connect(Lst_1Month, &QTreeWidget::itemChanged, this, &ItemPropertiesDialog::rowChecked);
    connect(Lst_1Month, &QTreeWidget::currentItemChanged, this, [this] { showRow(selectedRow()); });
    connect(Cmb_YearMonth, &QComboBox::activated, this, &ItemPropertiesDialog::formatChosen);
    connect(Opt_StrState, &QButtonGroup::idClicked, this, &ItemPropertiesDialog::alignmentChosen);
    connect(Cmd2_1Month, &QPushButton::clicked, this, &ItemPropertiesDialog::editRowFont);
    connect(Cmd_YMD_Sub, &QPushButton::clicked, this, [this] { editFont(titleElement(), false); });
    connect(Cmd_DayFonts[0], &QPushButton::clicked, this, [this] { editFont(Day, true); });
    connect(Cmd_DayFonts[1], &QPushButton::clicked, this, [this] { editFont(Weekday, true); });
    connect(Tab_Color, &QTabBar::currentChanged, this, &ItemPropertiesDialog::showDateColours);
    for (int k = 0; k < 8; ++k)
        connect(Cmd_Color[static_cast<std::size_t>(k)], &QPushButton::clicked, this,
                [this, k] { pickColourButton(k); });
    for (const std::size_t i : {0u, 1u, 6u})
        connect(Cmd_BackColor[i], &QPushButton::clicked, this,
                [this] { pickItemColour(work_.BackColor); });
    for (const std::size_t i : {2u, 3u, 5u, 7u})
        connect(Cmd_BackColor[i], &QPushButton::clicked, this,
                [this] { pickItemColour(work_.TransparentColor); });
    connect(Cmd_BackColor[4], &QPushButton::clicked, this, &ItemPropertiesDialog::editBackColours);
    connect(Command1[0], &QPushButton::clicked, this, &ItemPropertiesDialog::editContentLayout);
    connect(Command1[1], &QPushButton::clicked, this, &ItemPropertiesDialog::editRules);
    for (QCheckBox* box : Chk_ClearColor)
        connect(box, &QCheckBox::clicked, this, [this](bool on) {
            work_.Transparent = toB16(on);
            showTransparency();
        });
    connect(findChild<QPushButton*>(QStringLiteral("Cmd_File")), &QPushButton::clicked, this,
            &ItemPropertiesDialog::browsePicture);
    connect(Opt_PrintLeft, &QButtonGroup::idClicked, this,
            [this](int id) { work_.HPlacement = id; });
    connect(Opt_PrintTop, &QButtonGroup::idClicked, this,
            [this](int id) { work_.VPlacement = id; });
    connect(Chk_Size[0], &QCheckBox::clicked, this, [this](bool on) {
        work_.FitToRect = toB16(on);
        Chk_Size[1]->setEnabled(on);
    });
    connect(Chk_Size[1], &QCheckBox::clicked, this,
            [this](bool on) { work_.FreeAspect = toB16(on); });
}

bool ItemPropertiesDialog::confirmReset(const QString& question) {
    return prompts_.ask(question, PromptButtons::YesNo) == PromptAnswer::Yes;
}

void ItemPropertiesDialog::categoryChosen(int index) {
    const int category = chosenValue(Cmb_YMD, index);
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
    const int variant = chosenValue(Cmb_1Month[0], index);
    if (variant == work_.LayoutVariant)
        return;
    work_.LayoutVariant = variant;
    showElementRows();
    const bool weeks = hasWeekStart(work_.Category, variant);
    Cmb_1Month[1]->setEnabled(weeks);
    Lbl_1Month[1]->setEnabled(weeks);
    Cmd_BackColor[4]->setEnabled(true);
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
    const QTreeWidgetItem* current = Lst_1Month->currentItem();
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
    setRowFormatValue(work_, *row, chosenValue(Cmb_YearMonth, index));
    refreshRow(Lst_1Month, work_, selectedRow(), context_.sampleDate);
}

void ItemPropertiesDialog::alignmentChosen(int alignment) {
    const ElementRow* row = selectedElementRow();
    if (!row)
        return;
    work_.Align[static_cast<std::size_t>(row->element)] = static_cast<std::int16_t>(alignment);
    refreshRow(Lst_1Month, work_, selectedRow(), context_.sampleDate);
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
    Lbl_YMD_Sub4->setText(fontDescription(work_.element(titleElement()).Font));
    Lbl_DayFonts[0]->setText(fontDescription(work_.element(Day).Font));
    Lbl_DayFonts[1]->setText(fontDescription(work_.element(Weekday).Font));
    Lbl_TextFont->setText(fontDescription(work_.element(Year1).Font));
    for (int r = 0; r < Lst_1Month->topLevelItemCount(); ++r)
        refreshRow(Lst_1Month, work_, r, context_.sampleDate);
}

void ItemPropertiesDialog::pickItemColour(Colour& field) {
    if (const auto chosen = prompts_.pickColour(qColorFromBgr(field), colourPickerTitle())) {
        field = bgrFromQColor(*chosen);
        showTransparency();
        showDateColours();
    }
}

void ItemPropertiesDialog::pickColourButton(int button) {
    const bool dates = Tab_Color->currentIndex() == 0;
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
        if (Txt_StdSize[i]->text() == shownSizes[i])
            continue;
        const TypedNumber typed =
            typedNumber(Txt_StdSize[i]->text(), kMinDesignSize, kMaxDesignSize);
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
    request.initialPath = Text1->text().trimmed();
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
    Text1->setText(path);
}

void ItemPropertiesDialog::acceptEntries() {
    LayoutItem result = work_;
    const std::array<QString, 2> shownSizes{shownWidth_, shownHeight_};
    const std::array<std::int32_t*, 2> sizeFields{&result.DesignWidth, &result.DesignHeight};
    for (std::size_t i = 0; i < 2; ++i) {
        if (Txt_StdSize[i]->text() == shownSizes[i])
            continue;
        const TypedNumber typed =
            typedNumber(Txt_StdSize[i]->text(), kMinDesignSize, kMaxDesignSize);
        if (typed.outcome == TypedNumber::OutOfRange) {
            prompts_.message(QStringLiteral("幅と高さには%1から%2までの数値を入力してください。")
                                 .arg(kMinDesignSize)
                                 .arg(kMaxDesignSize));
            Txt_StdSize[i]->setText(shownSizes[i]);
            Txt_StdSize[i]->setFocus();
            return;
        }
        if (typed.outcome == TypedNumber::Accepted)
            *sizeFields[i] = typed.value;
    }
    if (Text1->text() != shownPicture_) {
        const QString path = Text1->text().trimmed();
        const QString refusal = pictureRefusal(path);
        if (!refusal.isEmpty()) {
            prompts_.message(refusal);
            Text1->setFocus();
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
