// Writes the example layouts (wall-calendar.CLF, six-row-calendar.CLF) into the given folder.
// Every item starts from the defaults a new item gets in the editor; year and month headings take
// the size their text needs, as the editor sizes them when they are added.
#include "bitmap/ImageCanvas.h"
#include "bitmap/RenderContext.h"
#include "document/LayoutFile.h"
#include "render/NewItemDefaults.h"
#include "render/PreviewTarget.h"
#include "render/RenderFrame.h"

#include <QDir>
#include <QGuiApplication>
#include <cstdio>
#include <memory>

using namespace tobirae;

namespace {

constexpr float kPaperWidth = 210;
constexpr float kPaperHeight = 297;
constexpr int kCanvasWidth = 794; // A4 portrait at 96 dpi

// An item view drawn into an image, as the editor's view of a newly added item.
class ImagePreview : public PreviewTarget {
public:
    QSize size() const override { return size_; }
    void resize(QSize layoutSize) override {
        size_ = layoutSize;
        image_ = QImage(size_, QImage::Format_RGB32);
        canvas_ = std::make_unique<ImageCanvas>(&image_);
    }
    Canvas* canvas() override { return canvas_.get(); }
    void clear(Colour background) override { image_.fill(rgbFromColour(background)); }

    explicit ImagePreview(QSize initial) { resize(initial); }

private:
    QSize size_;
    QImage image_;
    std::unique_ptr<ImageCanvas> canvas_;
};

LayoutItem newItem(int category, int variant, int monthSelector = 12) {
    LayoutItem item;
    Fnc_NewItemDefaults(category, variant, item, kPaperWidth, kPaperHeight);
    item.Live = kTrue;
    item.MonthSelector = monthSelector;
    item.Width = static_cast<float>(item.DesignWidth / 7 * 7);
    item.Height = static_cast<float>(item.DesignHeight);
    return item;
}

// Heading items take the size of their text (the view is 4 larger than the item).
LayoutItem heading(int category, int fontSize) {
    LayoutItem item = newItem(category, 0);
    for (ContentElement& e : item.Elements)
        e.Font.Size = fontSize;
    ImagePreview preview(QSize(100, 40));
    RenderContext ctx;
    DateRange range = pageDateRange(2027, 1);
    Fnc_LayOutItemDraw(ctx, item, &preview, range, true, DrawSurface{}, 0, 0);
    item.Width = static_cast<float>(preview.size().width() - 4);
    item.Height = static_cast<float>(preview.size().height() - 4);
    return item;
}

void centre(LayoutItem& item, float top) {
    item.Top = top;
    item.Left = static_cast<float>(kCanvasWidth - static_cast<int>(item.Width) - 4) / 2;
    item.HCenterLocked = kTrue;
}

bool write(const QString& path, std::vector<LayoutItem> items) {
    LayoutFileContent content;
    content.header.PaperSize = 0;
    content.header.PaperWidth = kPaperWidth;
    content.header.PaperHeight = kPaperHeight;
    content.header.Resolution = 4; // 300 dpi
    content.header.Portrait = kTrue;
    content.items = std::move(items);
    if (const auto error = writeFileAtomically(path, serializeLayout(content))) {
        std::fprintf(stderr, "%s: %s\n", qPrintable(path), qPrintable(*error));
        return false;
    }
    std::printf("%s\n", qPrintable(path));
    return true;
}

// A year heading, a month heading, a five-row month box and the months around it as mini boxes.
std::vector<LayoutItem> wallCalendar() {
    LayoutItem year = heading(CategoryYear, 20);
    centre(year, 40);
    LayoutItem month = heading(CategoryMonthDisplay, 48);
    centre(month, 40 + year.Height + 12);

    LayoutItem box = newItem(CategoryMonthFamily, VariantBox5);
    box.Top = 250;
    box.Left = static_cast<float>(kCanvasWidth - static_cast<int>(box.Width)) / 2;

    LayoutItem previous = newItem(CategoryMonthFamily, VariantBoxMini, 11);
    LayoutItem next = newItem(CategoryMonthFamily, VariantBoxMini, 13);
    previous.Top = next.Top = box.Top + box.Height + 40;
    previous.Left = box.Left;
    next.Left = box.Left + box.Width - next.Width;
    return {year, month, box, previous, next};
}

// The same page with a six-row box that keeps every week on its own row.
std::vector<LayoutItem> sixRowCalendar() {
    LayoutItem year = heading(CategoryYear, 20);
    centre(year, 40);
    LayoutItem month = heading(CategoryMonthDisplay, 48);
    centre(month, 40 + year.Height + 12);

    LayoutItem box = newItem(CategoryMonthFamily, VariantBox6);
    box.Top = 250;
    box.Left = static_cast<float>(kCanvasWidth - static_cast<int>(box.Width)) / 2;
    return {year, month, box};
}

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "Usage: tobirae-make-examples FOLDER\n");
        return 2;
    }
    const QDir folder(QString::fromLocal8Bit(argv[1]));
    const bool ok =
        write(folder.filePath(QStringLiteral("wall-calendar.CLF")), wallCalendar()) &&
        write(folder.filePath(QStringLiteral("six-row-calendar.CLF")), sixRowCalendar());
    return ok ? 0 : 1;
}
