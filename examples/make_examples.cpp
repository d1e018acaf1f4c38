// Writes the example layouts (wall-calendar.CLF, six-row-calendar.CLF, month-list.CLF,
// horizontal-list.CLF, weekly-planner.CLF, weekly-strips.CLF, picture-calendar.CLF with its
// mountains.png, year-at-a-glance.CLF, fiscal-year.CLF with its fiscal-year-title.png and
// fiscal-year-photo.png,
// company-calendar.CLF with the days of company-days.csv, kaiun-calendar.CLF) into the given
// folder. The name and
// description of each, in the .ini beside it, are written by hand. Every item starts from the
// defaults a new item gets in the editor; year and month headings take the size their text needs,
// as the editor sizes them when they are added.
#include "bitmap/Primitives.h"
#include "bitmap/RenderContext.h"
#include "calendar/SelectedDays.h"
#include "document/ItemFrame.h"
#include "document/LayoutFile.h"
#include "owndays/DaysFile.h"
#include "render/ImageItem.h"
#include "render/NewItemDefaults.h"
#include "render/RenderFrame.h"

#include <QBuffer>
#include <QDir>
#include <QGuiApplication>
#include <QLinearGradient>
#include <QPainter>
#include <QPolygonF>
#include <QRadialGradient>
#include <array>
#include <cmath>
#include <cstdio>
#include <initializer_list>
#include <memory>

using namespace tobirae;

namespace {

constexpr float kPaperWidth = 210;
constexpr float kPaperHeight = 297;
constexpr int kCanvasWidth = 794; // A4 portrait at 96 dpi

LayoutItem newItem(int category, int variant, int monthSelector = 12) {
    LayoutItem item;
    applyNewItemDefaults(category, variant, item, kPaperWidth, kPaperHeight);
    item.Live = kTrue;
    item.MonthSelector = monthSelector;
    item.Width = static_cast<float>(item.DesignWidth / 7 * 7);
    item.Height = static_cast<float>(item.DesignHeight);
    return item;
}

// Heading items take the size of their text, as the editor gives them.
LayoutItem heading(LayoutItem item) {
    RenderContext ctx;
    DateRange range = pageDateRange(2027, 1);
    const QSize size = contentSize(ctx, item, range).value_or(QSize(96, 36));
    item.Width = static_cast<float>(size.width());
    item.Height = static_cast<float>(size.height());
    return item;
}

LayoutItem heading(int category, int fontSize) {
    LayoutItem item = newItem(category, 0);
    for (ContentElement& e : item.Elements)
        e.Font.Size = fontSize;
    return heading(item);
}

// Where the editor's centring puts a centre-locked heading, so the editor leaves it there.
void centre(LayoutItem& item, float top) {
    item.Top = top;
    item.Left = static_cast<float>(kCanvasWidth - static_cast<int>(item.Width)) / 2;
    item.HCenterLocked = kTrue;
}

bool write(const QString& path, std::vector<LayoutItem> items,
           const OwnDaysSettings& ownDays = {}) {
    LayoutFileContent content;
    content.extension.ownDays = ownDays;
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
    // A new five-row box hides holiday names; a wall calendar wants them (祝日 in the dialog).
    box.element(Holiday).Shown = kTrue;

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

// A vertical list fitted to its view with the aspect kept; its design height is one line height
// per line. The sizes below let the height decide the scale, so the content stays a
// few pixels narrower than the view and the right edge line stays on the item surface.
LayoutItem fittedList(int category, int designLines, int lineHeight, float width, float height) {
    LayoutItem item = newItem(category, VariantVertical);
    item.DesignHeight = designLines * lineHeight;
    item.FitToRect = kTrue;
    item.Width = width;
    item.Height = height;
    return item;
}

// Headings and a one-month list down the page, the day-number side of it tinted.
std::vector<LayoutItem> monthList() {
    LayoutItem year = heading(CategoryYear, 20);
    centre(year, 40);
    LayoutItem month = heading(CategoryMonthDisplay, 48);
    centre(month, 40 + year.Height + 12);

    // 560 x 682 design (rows of 22) in a view of 710 x 857: 704 x 837 on the page.
    LayoutItem list = fittedList(CategoryMonthFamily, 31, 22, 706, 853);
    list.CellBackColor[0] = 0xF6EFE8; // year, month and day
    list.CellBackColor[1] = 0xF6EFE8; // weekday
    list.Top = 170;
    list.Left = static_cast<float>(kCanvasWidth - 710) / 2;
    return {year, month, list};
}

// Headings and a one-month list across the page at its design size, with its vertical writing.
std::vector<LayoutItem> horizontalList() {
    LayoutItem year = heading(CategoryYear, 20);
    centre(year, 40);
    LayoutItem month = heading(CategoryMonthDisplay, 48);
    centre(month, 40 + year.Height + 12);

    // The design width is capped to 722 on A4 portrait: 31 columns of 23.
    LayoutItem list = newItem(CategoryMonthFamily, VariantHorizontal);
    list.Width = static_cast<float>(list.DesignWidth / 31 * 31);
    list.CellBackColor[0] = 0xF6EFE8; // year, month and day
    list.Top = 200;
    list.Left = static_cast<float>(kCanvasWidth - static_cast<int>(list.Width) - 4) / 2;
    return {year, month, list};
}

// Headings and the first four weeks of the month, one row per day, Sunday to Saturday.
std::vector<LayoutItem> weeklyPlanner() {
    LayoutItem year = heading(CategoryYear, 20);
    centre(year, 40);
    LayoutItem month = heading(CategoryMonthDisplay, 48);
    centre(month, 40 + year.Height + 12);

    std::vector<LayoutItem> items{year, month};
    for (int week = 0; week < 4; ++week) {
        // 560 x 175 design (rows of 25) in a view of 710 x 219: 701 x 217 on the page.
        LayoutItem strip = fittedList(CategoryWeekly, 7, 25, 706, 215);
        strip.WeekRange = week;
        strip.CellBackColor[0] = 0xF6EFE8;
        strip.Top = static_cast<float>(165 + week * 231);
        strip.Left = static_cast<float>(kCanvasWidth - 710) / 2;
        items.push_back(strip);
    }
    return items;
}

// Headings and the first four weeks of the month as strips across the page, one column per day.
std::vector<LayoutItem> weeklyStrips() {
    LayoutItem year = heading(CategoryYear, 20);
    centre(year, 40);
    LayoutItem month = heading(CategoryMonthDisplay, 48);
    centre(month, 40 + year.Height + 12);

    std::vector<LayoutItem> items{year, month};
    for (int week = 0; week < 4; ++week) {
        // The design as high as the strip, its 150 pixels for seven days stretched across.
        LayoutItem strip = newItem(CategoryWeekly, VariantHorizontal);
        strip.WeekRange = week;
        strip.DesignHeight = 215;
        // The old-calendar date written downwards needs more height than a strip has.
        strip.element(OldCalendar).Shown = kFalse;
        strip.FitToRect = kTrue;
        strip.FreeAspect = kTrue;
        strip.Width = 706;
        strip.Height = 215;
        strip.CellBackColor[0] = 0xF6EFE8;
        strip.Top = static_cast<float>(165 + week * 231);
        strip.Left = static_cast<float>(kCanvasWidth - 710) / 2;
        items.push_back(strip);
    }
    return items;
}

// A mountain landscape drawn in code, so the example ships no artwork from elsewhere and can be
// drawn again: a morning sky, the sun, two ranges of mountains and a green foreground.
QImage mountainPicture() {
    constexpr int width = 560;
    constexpr int height = 240;
    QImage image(width, height, QImage::Format_RGB32);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);

    QLinearGradient sky(0, 0, 0, 170);
    sky.setColorAt(0, QColor(0x4A, 0x7D, 0xB8));
    sky.setColorAt(1, QColor(0xF4, 0xDD, 0xB8));
    painter.fillRect(image.rect(), sky);

    QRadialGradient glow(QPointF(410, 78), 60);
    glow.setColorAt(0, QColor(0xFF, 0xF6, 0xD0, 220));
    glow.setColorAt(1, QColor(0xFF, 0xF6, 0xD0, 0));
    painter.setBrush(glow);
    painter.drawEllipse(QPointF(410, 78), 60, 60);
    painter.setBrush(QColor(0xFF, 0xF3, 0xC4));
    painter.drawEllipse(QPointF(410, 78), 22, 22);

    auto range = [&painter](std::initializer_list<QPointF> ridge, QColor colour) {
        QPolygonF shape(ridge);
        shape << QPointF(width, height) << QPointF(0, height);
        painter.setBrush(colour);
        painter.drawPolygon(shape);
    };
    range({{0, 150},
           {70, 110},
           {130, 135},
           {210, 88},
           {300, 140},
           {380, 105},
           {470, 132},
           {560, 100}},
          QColor(0x8E, 0x9F, 0xBC));
    range({{0, 185}, {90, 120}, {150, 160}, {250, 62}, {340, 170}, {430, 130}, {560, 180}},
          QColor(0x4C, 0x63, 0x7E));
    // Snow on the high peak, following its slopes.
    painter.setBrush(QColor(0xF2, 0xF4, 0xF8));
    painter.drawPolygon(QPolygonF({QPointF(250, 62), QPointF(277, 95), QPointF(262, 90),
                                   QPointF(250, 99), QPointF(236, 88), QPointF(224, 96)}));
    range({{0, 205}, {120, 190}, {260, 208}, {400, 192}, {560, 200}}, QColor(0x5E, 0x8C, 0x46));
    range({{0, 222}, {180, 214}, {330, 226}, {470, 216}, {560, 220}}, QColor(0x45, 0x6F, 0x35));
    painter.end();
    return image;
}

bool writePicture(const QString& path, const QImage& image) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    if (!image.save(&buffer, "PNG")) {
        std::fprintf(stderr, "%s: the picture could not be encoded\n", qPrintable(path));
        return false;
    }
    if (const auto error = writeFileAtomically(path, bytes)) {
        std::fprintf(stderr, "%s: %s\n", qPrintable(path), qPrintable(*error));
        return false;
    }
    std::printf("%s\n", qPrintable(path));
    return true;
}

// Headings, a picture across the page and a five-row month box under it. The picture's path is
// the one it would have on the Windows machine the layout was made on; the layout finds the
// picture by its file name in its own folder.
bool writePictureCalendar(const QDir& folder) {
    const QString pictureName = QStringLiteral("mountains.png");
    if (!writePicture(folder.filePath(pictureName), mountainPicture()))
        return false;

    LayoutItem year = heading(CategoryYear, 20);
    centre(year, 40);
    LayoutItem month = heading(CategoryMonthDisplay, 48);
    centre(month, 40 + year.Height + 12);

    LayoutItem picture = newItem(CategoryPicture, 0);
    picture.PictureFile.setText(QStringLiteral("C:\\Calendars\\") + pictureName);
    if (!storePictureSize(picture, folder.absolutePath())) {
        std::fprintf(stderr, "%s: the picture's size could not be read\n",
                     qPrintable(folder.filePath(pictureName)));
        return false;
    }
    // 700 x 300 has the picture's shape; the shape is kept should the item be resized.
    picture.FreeAspect = kFalse;
    picture.HPlacement = 1;
    picture.VPlacement = 1;
    picture.Width = 700;
    picture.Height = 300;
    picture.Top = 165;
    picture.Left = static_cast<float>(kCanvasWidth - 700) / 2;

    LayoutItem box = newItem(CategoryMonthFamily, VariantBox5);
    box.Top = picture.Top + picture.Height + 25;
    box.Left = picture.Left;
    box.element(Holiday).Shown = kTrue;
    return write(folder.filePath(QStringLiteral("picture-calendar.CLF")),
                 {year, month, picture, box});
}

// Twelve mini month boxes in three columns and four rows under a heading, each showing the
// month `selector(i)` picks for position i.
template <class Selector> std::vector<LayoutItem> twelveMonths(float top, Selector selector) {
    constexpr float width = 190; // 150 x 180 design, scaled to keep its shape
    constexpr float height = 228;
    constexpr float columnGap = 40;
    constexpr float rowGap = 14;
    const float left = (kCanvasWidth - 3 * width - 2 * columnGap) / 2;
    std::vector<LayoutItem> months;
    for (int i = 0; i < 12; ++i) {
        LayoutItem mini = newItem(CategoryMonthFamily, VariantBoxMini, selector(i));
        mini.FitToRect = kTrue;
        mini.Width = width;
        mini.Height = height;
        mini.Left = left + static_cast<float>(i % 3) * (width + columnGap);
        mini.Top = top + static_cast<float>(i / 3) * (height + rowGap);
        months.push_back(mini);
    }
    return months;
}

// The year of the output month over January to December of it.
std::vector<LayoutItem> yearAtAGlance() {
    LayoutItem year = heading(CategoryYear, 36);
    year.element(Year1).Style = 5; // "2027年"
    year = heading(year);
    centre(year, 40);
    std::vector<LayoutItem> items{year};
    for (LayoutItem& mini :
         twelveMonths(year.Top + year.Height + 40, [](int i) { return 25 + i; })) // "1月".."12月"
        items.push_back(mini);
    return items;
}

// "年度" as a picture in the headings' face, drawn at 300 dpi for a 36-point heading.
QImage fiscalYearTitle() {
    QFont font(substituteFace(QStringLiteral("ＭＳ ゴシック")));
    font.setPixelSize(150);
    const QString text = QStringLiteral("年度");
    const QFontMetrics metrics(font);
    QImage image(metrics.horizontalAdvance(text) + 8, metrics.height(), QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setFont(font);
    painter.setPen(Qt::black);
    painter.drawText(image.rect(), Qt::AlignCenter, text);
    painter.end();
    return image;
}

// Cherry trees in bloom under a spring sky, drawn in code like the mountains: the photo slot of
// the fiscal-year template, which starts in April, until the user drops a photo of their own.
QImage springPicture() {
    constexpr int width = 480;
    constexpr int height = 200;
    QImage image(width, height, QImage::Format_RGB32);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);

    QLinearGradient sky(0, 0, 0, 150);
    sky.setColorAt(0, QColor(0x6F, 0xA8, 0xDC));
    sky.setColorAt(1, QColor(0xE8, 0xF1, 0xF8));
    painter.fillRect(image.rect(), sky);
    painter.setBrush(QColor(0x7F, 0xB0, 0x5A));
    painter.drawRect(0, 160, width, height - 160);

    // Each tree: a trunk and a crown of overlapping blossom clouds.
    auto tree = [&painter](qreal x, qreal scale) {
        painter.setBrush(QColor(0x6B, 0x4A, 0x3A));
        painter.drawPolygon(QPolygonF({QPointF(x - 6 * scale, 165), QPointF(x + 6 * scale, 165),
                                       QPointF(x + 3 * scale, 165 - 70 * scale),
                                       QPointF(x - 3 * scale, 165 - 70 * scale)}));
        const std::array<std::array<qreal, 3>, 6> clouds{{{-34, -78, 30},
                                                          {0, -98, 36},
                                                          {34, -80, 30},
                                                          {-16, -60, 26},
                                                          {18, -62, 26},
                                                          {0, -76, 30}}};
        const std::array<QColor, 3> pinks{QColor(0xF6, 0xC4, 0xD2), QColor(0xF9, 0xD6, 0xE0),
                                          QColor(0xF2, 0xB1, 0xC4)};
        for (std::size_t i = 0; i < clouds.size(); ++i) {
            painter.setBrush(pinks[i % pinks.size()]);
            painter.drawEllipse(QPointF(x + clouds[i][0] * scale, 165 + clouds[i][1] * scale),
                                clouds[i][2] * scale, clouds[i][2] * scale);
        }
    };
    tree(90, 1.0);
    tree(250, 1.2);
    tree(405, 0.9);
    painter.end();
    return image;
}

// A fiscal year from April: the year of the output month with "年度" after it, over the output
// month and the eleven after it, so April as output month gives April to March. The heading
// stands on the left above the months and a photo slot on the right, filled with a picture of
// its own that the user replaces by dropping a photo on it.
bool writeFiscalYear(const QDir& folder) {
    const QString pictureName = QStringLiteral("fiscal-year-title.png");
    const QImage title = fiscalYearTitle();
    if (!writePicture(folder.filePath(pictureName), title))
        return false;
    const QString photoName = QStringLiteral("fiscal-year-photo.png");
    const QImage spring = springPicture();
    if (!writePicture(folder.filePath(photoName), spring))
        return false;
    LayoutItem year = heading(CategoryYear, 36);
    LayoutItem suffix = newItem(CategoryPicture, 0);
    suffix.PictureFile.setText(pictureName);
    if (!storePictureSize(suffix, folder.absolutePath()))
        return false;
    suffix.FreeAspect = kFalse;
    suffix.Width = std::round(static_cast<float>(title.width()) * 96 / 300);
    suffix.Height = year.Height;
    const float monthsTop = 40 + year.Height + 40;
    std::vector<LayoutItem> months =
        twelveMonths(monthsTop, [](int i) { return 12 + i; }); // "当月".."＋11ヶ月"
    const float gridLeft = months.front().Left;
    const float gridRight = months.back().Left + months.back().Width + kItemFrame;

    LayoutItem photo = newItem(CategoryPicture, 0);
    photo.PictureFile.setText(photoName);
    if (!storePictureSize(photo, folder.absolutePath()))
        return false;
    // The picture's shape, as tall as the band above the months allows; a dropped photo of
    // another shape is centred in it.
    photo.FreeAspect = kFalse;
    photo.HPlacement = 1;
    photo.VPlacement = 1;
    photo.Top = 16;
    photo.Height = monthsTop - 16 - 16 - kItemFrame;
    photo.Width = std::round(photo.Height * static_cast<float>(spring.width()) /
                             static_cast<float>(spring.height()));
    photo.Left = gridRight - photo.Width - kItemFrame;

    year.Top = suffix.Top = 40;
    year.Left = gridLeft;
    suffix.Left = year.Left + year.Width;
    std::vector<LayoutItem> items{year, suffix, photo};
    for (LayoutItem& mini : months)
        items.push_back(mini);
    return write(folder.filePath(QStringLiteral("fiscal-year.CLF")), items);
}

// A company calendar: the six-row box with holiday names, the company's own days (those of the
// sample days file beside it, kept in the layout so a page made from it has them at once) in
// red, and the company's name at the bottom as a text item.
bool writeCompanyCalendar(const QDir& folder) {
    const QString daysName = QStringLiteral("company-days.csv");
    const DaysReadResult days = readDaysFile(folder.filePath(daysName));
    if (!days.problems.isEmpty() || days.days.empty()) {
        std::fprintf(stderr, "%s: %s\n", qPrintable(daysName),
                     qPrintable(days.problems.join(QLatin1Char('\n'))));
        return false;
    }
    std::vector<LayoutItem> items = sixRowCalendar();
    items[2].element(Holiday).Shown = kTrue;
    LayoutItem name;
    applyNewItemDefaults(CategoryText, 0, name, kPaperWidth, kPaperHeight);
    name.Live = kTrue;
    name.Ext.text = QStringLiteral("株式会社 扉絵商事");
    name.element(Year1).Font.Size = 20;
    name.Width = 500;
    name.Height = 50;
    name.HPlacement = 1;
    name.VPlacement = 1;
    centre(name, 1123 - 40 - name.Height);
    items.push_back(name);
    OwnDaysSettings own;
    own.days = days.days;
    return write(folder.filePath(QStringLiteral("company-calendar.CLF")), items, own);
}

// 開運カレンダー: the six-row box with 六曜, the lucky days 一粒万倍日, 天赦日, 寅の日 and 巳の日
// named under the day in red, and the moon's phases as symbols in the cell's top-right corner.
std::vector<LayoutItem> kaiunCalendar() {
    std::vector<LayoutItem> items = sixRowCalendar();
    LayoutItem& box = items[2];
    box.element(Holiday).Shown = kTrue;
    box.element(Rokuyo).Shown = kTrue;
    const int cellWidth = box.DesignWidth / 7;
    ContentElement& senjitsu = box.ExtraElements[ExtraSelectedDays];
    senjitsu.Shown = kTrue;
    senjitsu.Font = box.element(Rokuyo).Font;
    senjitsu.Font.Size = 7;
    senjitsu.Font.ForeColor.setText(QStringLiteral("&H2020C0"));
    // Under the holiday name, so a lucky holiday shows both.
    senjitsu.Pos = {box.element(Rokuyo).Pos.X, box.element(Holiday).Pos.Y + 14};
    senjitsu.Style = static_cast<std::int32_t>(SelectedDay::Ichiryumanbai) |
                     static_cast<std::int32_t>(SelectedDay::Tensha) |
                     static_cast<std::int32_t>(SelectedDay::Tora) |
                     static_cast<std::int32_t>(SelectedDay::Mi);
    ContentElement& moon = box.ExtraElements[ExtraMoonPhase];
    moon.Shown = kTrue;
    moon.Font = box.element(Rokuyo).Font;
    moon.Font.Size = 11;
    moon.Font.ForeColor.setText(QStringLiteral("&H404040"));
    moon.Pos = {cellWidth - 20, box.element(Day).Pos.Y};
    return items;
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
        write(folder.filePath(QStringLiteral("six-row-calendar.CLF")), sixRowCalendar()) &&
        write(folder.filePath(QStringLiteral("month-list.CLF")), monthList()) &&
        write(folder.filePath(QStringLiteral("horizontal-list.CLF")), horizontalList()) &&
        write(folder.filePath(QStringLiteral("weekly-planner.CLF")), weeklyPlanner()) &&
        write(folder.filePath(QStringLiteral("weekly-strips.CLF")), weeklyStrips()) &&
        writePictureCalendar(folder) &&
        write(folder.filePath(QStringLiteral("year-at-a-glance.CLF")), yearAtAGlance()) &&
        writeFiscalYear(folder) && writeCompanyCalendar(folder) &&
        write(folder.filePath(QStringLiteral("kaiun-calendar.CLF")), kaiunCalendar());
    return ok ? 0 : 1;
}
