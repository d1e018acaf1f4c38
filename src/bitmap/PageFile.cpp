#include "bitmap/ImageFile.h"
#include "bitmap/Primitives.h"

#include <QFile>
#include <QFileInfo>
#include <exception>

namespace tobirae {

bool savePageBitmap(RenderContext& ctx, const QString& path, bool overwrite) {
    try {
        if (!ctx.pageBitmap || !ctx.pageBitmap->image())
            return false;
        if (!overwrite && fileExists(path))
            return false;
        ImageFileOptions options;
        options.bitDepth = ctx.pageBitDepth == 24 ? 24 : 32;
        options.dpi = ctx.pageDpi;
        return writeImageFile(*ctx.pageBitmap->image(), path, options);
    } catch (const std::exception&) {
        return false;
    }
}

bool fileExists(const QString& path) {
    QString name = path.trimmed();
    if (name.endsWith(QLatin1Char('\\')) || name.endsWith(QLatin1Char('/')))
        name.chop(1);
    if (name.isEmpty())
        return false;
    return QFileInfo::exists(name);
}

std::vector<std::uint8_t> fixedPalette(int bitDepth) {
    std::vector<std::uint8_t> table;
    auto add = [&](int red, int green, int blue) {
        table.push_back(static_cast<std::uint8_t>(blue));
        table.push_back(static_cast<std::uint8_t>(green));
        table.push_back(static_cast<std::uint8_t>(red));
        table.push_back(0);
    };
    switch (bitDepth) {
    case 1:
        add(0, 0, 0);
        add(255, 255, 255);
        break;
    case 4:
        for (int i = 0; i < 16; ++i) {
            auto level = [i](std::initializer_list<int> half, std::initializer_list<int> full) {
                if (i == 8)
                    return 192;
                for (int h : half)
                    if (h == i)
                        return 128;
                for (int f : full)
                    if (f == i)
                        return 255;
                return 0;
            };
            add(level({1, 3, 5, 7}, {9, 11, 13, 15}), level({2, 3, 6, 7}, {10, 11, 14, 15}),
                level({4, 5, 6, 7}, {12, 13, 14, 15}));
        }
        break;
    case 8: {
        // The twenty system colours at both ends, a colour ramp between.
        static constexpr int kLow[10][3] = {
            {0, 0, 0},     {128, 0, 0},   {0, 128, 0},     {128, 128, 0},   {0, 0, 128},
            {128, 0, 128}, {0, 128, 128}, {192, 192, 192}, {192, 220, 192}, {166, 202, 240}};
        static constexpr int kHigh[10][3] = {
            {255, 251, 240}, {160, 160, 164}, {128, 128, 128}, {255, 0, 0},   {0, 255, 0},
            {255, 255, 0},   {0, 0, 255},     {255, 0, 255},   {0, 255, 255}, {255, 255, 255}};
        for (const auto& c : kLow)
            add(c[0], c[1], c[2]);
        for (int i = 0; i < 236; ++i)
            add((i % 8) * 32, ((i / 8) % 8) * 32, (i / 64) * 64);
        for (const auto& c : kHigh)
            add(c[0], c[1], c[2]);
        break;
    }
    default:
        break;
    }
    return table;
}

} // namespace tobirae
