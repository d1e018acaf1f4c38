#include "TestLayouts.h"

#include "document/FixedText.h"
#include "document/LayoutFile.h"
#include "render/NewItemDefaults.h"

#include <QFile>

namespace tobirae::test {

std::unique_ptr<LayoutDocument> makeTestDocument(const std::vector<TestItem>& items,
                                                 bool portrait) {
    auto document = std::make_unique<LayoutDocument>();
    document->page.Portrait = portrait;
    if (!portrait)
        std::swap(document->page.PaperWidth, document->page.PaperHeight);
    for (const TestItem& wanted : items) {
        const auto slot = document->findSlotForNewItem();
        if (!slot)
            break;
        LayoutItem item;
        applyNewItemDefaults(wanted.category, wanted.variant, item, document->page.PaperWidth,
                            document->page.PaperHeight);
        item.MonthSelector = wanted.monthSelector;
        document->item(slot->slot) = item;
        document->commitNewItem(slot->slot);
        LayoutItem& placed = document->item(slot->slot);
        placed.Left = wanted.left;
        placed.Top = wanted.top;
        placed.Width = placed.DesignWidth > 0 ? static_cast<float>(placed.DesignWidth) : 200;
        placed.Height = placed.DesignHeight > 0 ? static_cast<float>(placed.DesignHeight) : 100;
    }
    return document;
}

bool writeTestLayout(const QString& path, const std::vector<TestItem>& items, bool portrait) {
    const auto document = makeTestDocument(items, portrait);
    return !writeLayoutFile(*document, path).has_value();
}

bool writeSettingsFile(const QString& path, const QStringList& lines) {
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return false;
    return file.write(encodeCp932(lines.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n"))) >=
           0;
}

QString readSettingsFile(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    const QByteArray bytes = file.readAll();
    return decodeCp932(std::span(reinterpret_cast<const std::uint8_t*>(bytes.constData()),
                                 static_cast<std::size_t>(bytes.size())));
}

} // namespace tobirae::test
