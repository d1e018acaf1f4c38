#include "ui/main/PrintShopPdfDialog.h"

#include "app/AppSettings.h"
#include "render/PrintShopPdf.h"
#include "ui/dialogs/DialogButtons.h"
#include "ui/dialogs/UserPrompts.h"

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QDoubleSpinBox>
#include <QEventLoop>
#include <QFileInfo>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>
#include <thread>

namespace tobirae {

namespace {

constexpr int kShopFirstYear = 1950;
constexpr int kShopLastYear = 2049;

QComboBox* shopYearList(QWidget* parent) {
    auto* list = new LongChoiceList(parent);
    for (int year = kShopFirstYear; year <= kShopLastYear; ++year)
        list->addItem(QStringLiteral("%1年").arg(year));
    return list;
}

QComboBox* shopMonthList(QWidget* parent) {
    auto* list = new QComboBox(parent);
    for (int month = 1; month <= 12; ++month)
        list->addItem(QStringLiteral("%1月").arg(month));
    return list;
}

std::chrono::year_month chosenMonth(const QComboBox* year, const QComboBox* month) {
    return std::chrono::year(kShopFirstYear + year->currentIndex()) /
           std::chrono::month(static_cast<unsigned>(month->currentIndex() + 1));
}

void selectMonth(QComboBox* year, QComboBox* month, std::chrono::year_month value) {
    year->setCurrentIndex(std::clamp(static_cast<int>(value.year()) - kShopFirstYear, 0,
                                     kShopLastYear - kShopFirstYear));
    month->setCurrentIndex(static_cast<int>(static_cast<unsigned>(value.month())) - 1);
}

} // namespace

PrintShopChoice initialPrintShopChoice(const AppSettings& settings,
                                       std::chrono::year_month output) {
    PrintShopChoice choice{output, output + std::chrono::months(11), {}};
    const auto last = std::chrono::year(kShopLastYear) / std::chrono::December;
    if (choice.to > last)
        choice.to = last;
    if (settings.LastRangeFrom && settings.LastRangeTo) {
        choice.from = std::chrono::year(*settings.LastRangeFrom / 100) /
                      std::chrono::month(static_cast<unsigned>(*settings.LastRangeFrom % 100));
        choice.to = std::chrono::year(*settings.LastRangeTo / 100) /
                    std::chrono::month(static_cast<unsigned>(*settings.LastRangeTo % 100));
    }
    choice.shop.bleedMm = std::clamp(settings.PrintBleedTenthsMm, 0, 100) / 10.0;
    choice.shop.marks = settings.PrintMarks;
    choice.shop.pdfx = settings.PrintPdfx;
    choice.shop.profile = settings.PrintProfile;
    return choice;
}

void rememberPrintShopChoice(AppSettings& settings, const PrintShopChoice& choice) {
    settings.LastRangeFrom = static_cast<int>(choice.from.year()) * 100 +
                             static_cast<int>(static_cast<unsigned>(choice.from.month()));
    settings.LastRangeTo = static_cast<int>(choice.to.year()) * 100 +
                           static_cast<int>(static_cast<unsigned>(choice.to.month()));
    settings.PrintBleedTenthsMm =
        std::clamp(static_cast<int>(std::lround(choice.shop.bleedMm * 10)), 0, 100);
    settings.PrintMarks = choice.shop.marks;
    settings.PrintPdfx = choice.shop.pdfx;
    settings.PrintProfile = choice.shop.profile;
}

PrintShopPdfDialog::PrintShopPdfDialog(PageJob job, const PrintShopChoice& initial,
                                       QString proposedPath, UserPrompts& prompts, QWidget* parent)
    : QDialog(parent), job_(std::move(job)), proposedPath_(std::move(proposedPath)),
      prompts_(prompts) {
    setWindowTitle(QStringLiteral("入稿用PDF出力"));
    auto* layout = new QVBoxLayout(this);

    auto* range = new QGroupBox(QStringLiteral("出力する月"), this);
    auto* rangeRow = new QHBoxLayout(range);
    fromYear_ = shopYearList(range);
    fromMonth_ = shopMonthList(range);
    toYear_ = shopYearList(range);
    toMonth_ = shopMonthList(range);
    rangeRow->addWidget(fromYear_);
    rangeRow->addWidget(fromMonth_);
    rangeRow->addWidget(new QLabel(QStringLiteral("から"), range));
    rangeRow->addWidget(toYear_);
    rangeRow->addWidget(toMonth_);
    rangeRow->addWidget(new QLabel(QStringLiteral("まで"), range));
    rangeRow->addStretch();
    layout->addWidget(range);

    auto* shop = new QGroupBox(QStringLiteral("入稿設定"), this);
    auto* grid = new QGridLayout(shop);
    bleed_ = new QDoubleSpinBox(shop);
    bleed_->setObjectName(QStringLiteral("bleed"));
    bleed_->setRange(0, kMaxBleedMm);
    bleed_->setDecimals(1);
    bleed_->setSingleStep(0.5);
    bleed_->setSuffix(QStringLiteral(" mm"));
    marks_ = new QCheckBox(QStringLiteral("トンボを付ける"), shop);
    marks_->setObjectName(QStringLiteral("marks"));
    pdfx_ = new QCheckBox(QStringLiteral("PDF/X-3 (CMYK) に変換する"), shop);
    pdfx_->setObjectName(QStringLiteral("pdfx"));
    ownProfile_ = new QRadioButton(QStringLiteral("Ghostscript の CMYK プロファイル"), shop);
    fileProfile_ = new QRadioButton(QStringLiteral("プロファイルのファイル:"), shop);
    profilePath_ = new QLineEdit(shop);
    profilePath_->setReadOnly(true);
    browse_ = new QPushButton(QStringLiteral("参照..."), shop);
    grid->addWidget(new QLabel(QStringLiteral("塗り足し"), shop), 0, 0);
    grid->addWidget(bleed_, 0, 1);
    grid->addWidget(marks_, 0, 2, 1, 2);
    grid->addWidget(pdfx_, 1, 0, 1, 4);
    grid->addWidget(ownProfile_, 2, 1, 1, 3);
    grid->addWidget(fileProfile_, 3, 1);
    grid->addWidget(profilePath_, 3, 2);
    grid->addWidget(browse_, 3, 3);
    grid->setColumnStretch(2, 1);
    layout->addWidget(shop);

    auto* check = new QGroupBox(QStringLiteral("入稿チェック"), this);
    auto* checkLayout = new QVBoxLayout(check);
    preflightList_ = new QListWidget(check);
    preflightList_->setObjectName(QStringLiteral("preflight"));
    preflightList_->setWordWrap(true);
    preflightList_->setMinimumHeight(120);
    checkLayout->addWidget(preflightList_);
    layout->addWidget(check, 1);

    progress_ = new QProgressBar(this);
    status_ = new QLabel(this);
    status_->setWordWrap(true);
    status_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    layout->addWidget(progress_);
    layout->addWidget(status_);

    auto* buttons = new QHBoxLayout;
    writeButton_ = new QPushButton(QStringLiteral("出力..."), this);
    writeButton_->setObjectName(QStringLiteral("write"));
    closeButton_ = new QPushButton(QStringLiteral("閉じる"), this);
    closeButton_->setObjectName(QStringLiteral("close"));
    writeButton_->setDefault(true);
    buttons->addStretch();
    buttons->addWidget(writeButton_);
    buttons->addWidget(closeButton_);
    layout->addLayout(buttons);

    selectMonth(fromYear_, fromMonth_, initial.from);
    selectMonth(toYear_, toMonth_, initial.to);
    bleed_->setValue(std::clamp(initial.shop.bleedMm, 0.0, kMaxBleedMm));
    marks_->setChecked(initial.shop.marks);
    pdfx_->setChecked(initial.shop.pdfx);
    profilePath_->setText(initial.shop.profile);
    (initial.shop.profile.isEmpty() ? ownProfile_ : fileProfile_)->setChecked(true);

    for (QComboBox* list : {fromYear_, fromMonth_, toYear_, toMonth_})
        connect(list, &QComboBox::currentIndexChanged, this, &PrintShopPdfDialog::refresh);
    connect(bleed_, &QDoubleSpinBox::valueChanged, this, &PrintShopPdfDialog::refresh);
    for (QAbstractButton* button :
         {static_cast<QAbstractButton*>(marks_), static_cast<QAbstractButton*>(pdfx_),
          static_cast<QAbstractButton*>(ownProfile_), static_cast<QAbstractButton*>(fileProfile_)})
        connect(button, &QAbstractButton::toggled, this, &PrintShopPdfDialog::refresh);
    connect(browse_, &QPushButton::clicked, this, &PrintShopPdfDialog::chooseProfile);
    connect(writeButton_, &QPushButton::clicked, this, &PrintShopPdfDialog::writeFile);
    connect(closeButton_, &QPushButton::clicked, this, &PrintShopPdfDialog::reject);
    refresh();
    // Fits a 1366 x 768 screen with room for the window frame and the panel.
    resize(620, 560);
}

PrintShopChoice PrintShopPdfDialog::choice() const {
    PrintShopChoice c{chosenMonth(fromYear_, fromMonth_), chosenMonth(toYear_, toMonth_), {}};
    c.shop.bleedMm = std::round(bleed_->value() * 10) / 10;
    c.shop.marks = marks_->isChecked();
    c.shop.pdfx = pdfx_->isChecked();
    c.shop.profile = fileProfile_->isChecked() ? profilePath_->text() : QString();
    return c;
}

void PrintShopPdfDialog::refresh() {
    const PrintShopChoice c = choice();
    const bool forward = c.from <= c.to;
    const bool profileReady =
        !c.shop.pdfx || ownProfile_->isChecked() || !profilePath_->text().isEmpty();
    ownProfile_->setEnabled(c.shop.pdfx && !running_);
    fileProfile_->setEnabled(c.shop.pdfx && !running_);
    profilePath_->setEnabled(c.shop.pdfx && fileProfile_->isChecked() && !running_);
    browse_->setEnabled(c.shop.pdfx && fileProfile_->isChecked() && !running_);
    writeButton_->setEnabled(forward && profileReady && !running_);
    // The preflight reads every picture: it runs again only when what it looks at changed.
    const QString key =
        QStringLiteral("%1 %2 %3").arg(monthName(c.from), monthName(c.to)).arg(c.shop.pdfx ? 1 : 0);
    if (key == preflightKey_)
        return;
    preflightKey_ = key;
    preflightList_->clear();
    if (!forward) {
        preflightList_->addItem(QStringLiteral("終了月が開始月より前です。"));
        return;
    }
    const std::vector<PreflightWarning> warnings =
        preflight(job_, monthRange(c.from, c.to), c.shop);
    for (const PreflightWarning& warning : warnings)
        preflightList_->addItem(warning.text());
    if (warnings.empty())
        preflightList_->addItem(QStringLiteral("問題は見つかりませんでした。"));
}

void PrintShopPdfDialog::chooseProfile() {
    const QString path = prompts_.openFileName(
        {QStringLiteral("ICC プロファイル (*.icc *.icm)|*.icc;*.icm"), profilePath_->text(), {},
         QStringLiteral("出力プロファイルを開く")});
    if (path.isEmpty())
        return;
    profilePath_->setText(path);
    fileProfile_->setChecked(true);
    refresh();
}

void PrintShopPdfDialog::setRunning(bool running) {
    running_ = running;
    for (QWidget* w : std::initializer_list<QWidget*>{fromYear_, fromMonth_, toYear_, toMonth_,
                                                      bleed_, marks_, pdfx_})
        w->setEnabled(!running);
    closeButton_->setText(running ? QStringLiteral("キャンセル") : QStringLiteral("閉じる"));
    refresh();
}

void PrintShopPdfDialog::reject() {
    if (running_) {
        cancel_ = true;
        status_->setText(QStringLiteral("中止しています..."));
        return;
    }
    QDialog::reject();
}

bool PrintShopPdfDialog::writeFile() {
    if (running_)
        return false;
    const PrintShopChoice c = choice();
    if (c.to < c.from)
        return false;
    const QString path = prompts_.saveFileName(
        {QStringLiteral("PDFファイル (*.PDF)|*.PDF"), proposedPath_, QStringLiteral("pdf"),
         QStringLiteral("入稿用PDFの保存先")});
    if (path.isEmpty())
        return false;
    const auto months = monthRange(c.from, c.to);
    const int pages = static_cast<int>(months.size());
    progress_->setRange(0, pages + 1);
    progress_->setValue(0);
    status_->setText(QStringLiteral("0 / %1 ページ").arg(pages));
    cancel_ = false;
    setRunning(true);

    // The pages are drawn on a worker while the dialog counts them and can cancel.
    PrintShopResult result;
    QEventLoop loop;
    auto show = [this](const QString& text, int step) {
        QMetaObject::invokeMethod(
            this,
            [this, text, step] {
                status_->setText(text);
                if (step >= 0)
                    progress_->setValue(step);
            },
            Qt::QueuedConnection);
    };
    std::thread worker([&] {
        ExportOptions options;
        options.cancel = &cancel_;
        std::atomic<int> done{0};
        result = exportPrintShopPdf(
            job_, months, path, c.shop, options,
            [&](std::size_t, const ExportResult& page) {
                if (page.ok) {
                    const int n = ++done;
                    show(QStringLiteral("%1 / %2 ページ").arg(n).arg(pages), n);
                }
            },
            [&](const QString& stage) { show(stage, -1); });
        QMetaObject::invokeMethod(&loop, &QEventLoop::quit, Qt::QueuedConnection);
    });
    loop.exec();
    worker.join();
    QCoreApplication::sendPostedEvents(this);
    setRunning(false);

    if (result.pages.cancelled) {
        status_->setText(QStringLiteral("中止しました。ファイルは書き込みませんでした。"));
        return false;
    }
    if (!result.pages.ok) {
        status_->setText(QStringLiteral("作成できませんでした: ") + result.pages.error);
        prompts_.message(QStringLiteral("入稿用PDFを作成できませんでした。\r\n") +
                         result.pages.error);
        return false;
    }
    progress_->setValue(progress_->maximum());
    writtenPath_ = path;
    QString done =
        QStringLiteral("%1ページの入稿用PDFを作成しました: %2").arg(result.pages.pages).arg(path);
    for (const QString& note : result.notes)
        done += QLatin1Char('\n') + note;
    status_->setText(done);
    return true;
}

} // namespace tobirae
