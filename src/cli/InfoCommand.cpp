// tobirae-cli info FILE.CLF: the page of a layout file and its items in drawing order.
#include "cli/Commands.h"
#include "document/ItemFrame.h"
#include "cli/LayoutCommandSupport.h"
#include "document/LayoutFile.h"
#include "document/MonthSelector.h"
#include "document/ResolutionTable.h"

#include <QString>
#include <charconv>

namespace tobirae {

namespace {

constexpr const char* kInfoHelp =
    "Usage: tobirae-cli info FILE.CLF\n"
    "\n"
    "Prints the page of a layout file (paper, size in millimetres, resolution, orientation) and\n"
    "one line per item in drawing order: number, kind, position and size in canvas pixels, and\n"
    "the month the item shows (当月, 翌月, 3月, ...) or, for a picture, its file.\n"
    "\n"
    "Options:\n"
    "  -h, --help  this text\n";

QString number(float value) {
    char buf[64];
    const auto res = std::to_chars(buf, buf + sizeof buf, value);
    return QString::fromLatin1(buf, res.ptr - buf);
}

QString paperText(std::int32_t paperSize) {
    switch (paperSize) {
    case 0:
        return QStringLiteral("A4(210x297 mm)");
    case 1:
        return QStringLiteral("サイズ指定");
    }
    return QStringLiteral("不明 (%1)").arg(paperSize);
}

QString resolutionText(std::int32_t index) {
    if (index == kScreenResolutionIndex)
        return QStringLiteral("画面解像度");
    const std::int32_t dpi = resolutionIndexToDpi(index, kDefaultScreenDpi);
    if (dpi == 0)
        return QStringLiteral("不明 (%1)").arg(index);
    return QStringLiteral("%1 dpi").arg(dpi);
}

QString shownText(const LayoutItem& item) {
    if (item.Category == CategoryPicture) {
        const QString file = item.PictureFile.text();
        return file.isEmpty() ? QStringLiteral("画像なし") : QStringLiteral("画像 ") + file;
    }
    if (isTextCategory(item.Category))
        return QStringLiteral("「%1」").arg(item.Ext.text.section(QLatin1Char('\n'), 0, 0));
    const QString label = shownMonthLabel(item.Category, item.MonthSelector);
    const QString shown =
        label.isEmpty() ? QStringLiteral("MonthSelector=%1").arg(item.MonthSelector) : label;
    return item.Ext.weekStart == WeekStart::Monday ? shown + QStringLiteral(" 月曜始まり") : shown;
}

} // namespace

int runInfo(const std::vector<std::string>& args) {
    if (asksForHelp(args))
        return writeStdout(kInfoHelp) ? kExitOk : kExitFailure;
    if (args.size() != 1)
        return usageError("info にはレイアウトファイルを1つ指定してください (tobirae-cli info --help を参照)");

    const LayoutParseResult parsed = readLayoutFileContent(pathArgument(args[0]));
    if (!parsed.content)
        return fileError(parsed.error);
    const LayoutFileContent& content = *parsed.content;
    const PageSettings& h = content.header;
    const auto doc = LayoutDocument::fromRecords(h, content.items, kDefaultScreenDpi);

    QString out;
    out += QStringLiteral("用紙: %1\n").arg(paperText(h.PaperSize));
    out += QStringLiteral("大きさ: %1 x %2 mm\n").arg(number(h.PaperWidth), number(h.PaperHeight));
    out += QStringLiteral("解像度: %1\n").arg(resolutionText(h.Resolution));
    out += QStringLiteral("向き: %1\n")
               .arg(isTrue(h.Portrait) ? QStringLiteral("縦") : QStringLiteral("横"));
    if (!parsed.extensionNotice.isEmpty())
        out += QStringLiteral("拡張部分: %1\n").arg(parsed.extensionNotice);
    const std::vector<int> order = doc->liveSlotsInDrawingOrder();
    out += QStringLiteral("アイテム: %1\n").arg(order.size());
    if (order.size() != content.items.size())
        out +=
            QStringLiteral("使われていないレコード: %1\n").arg(content.items.size() - order.size());
    for (const ListEntry& entry : doc->drawingOrder()) {
        const LayoutItem& item = doc->item(entry.slot);
        // The box as the editor shows it (its position display and 配置指定): the drawing
        // area with the item frame.
        out += QStringLiteral("%1  X=%2 Y=%3 幅=%4 高さ=%5  %6\n")
                   .arg(entry.text, number(item.Left), number(item.Top),
                        number(item.Width + kItemFrame), number(item.Height + kItemFrame),
                        shownText(item));
    }
    return writeStdout(out.toStdString()) ? kExitOk : kExitFailure;
}

} // namespace tobirae
