// Sample layouts for the document tests: records with random values in every field.
#pragma once

#include "document/LayoutFields.h"
#include "document/LayoutFile.h"

#include <cstring>
#include <random>

namespace tobirae::testing {

// Fills every field of a record with random values; texts get a mix of Japanese text,
// never-assigned (all zero) fields and fields with bytes after their text.
class RandomFiller {
public:
    explicit RandomFiller(std::mt19937& rng) : m_rng(rng) {}

    void begin(const char*) {}
    void end() {}

    void field(const char* name, float& v) {
        const bool geometry = !std::strcmp(name, "Top") || !std::strcmp(name, "Left") ||
                              !std::strcmp(name, "Width") || !std::strcmp(name, "Height") ||
                              !std::strcmp(name, "PaperWidth") || !std::strcmp(name, "PaperHeight");
        switch (pick(4)) {
        case 0:
            v = -0.0f;
            break;
        case 1:
            v = static_cast<float>(pick(2000)) / 8.0f;
            break;
        default: {
            // Any finite bit pattern (denormals and extremes included).
            std::uint32_t bits = static_cast<std::uint32_t>(m_rng());
            std::memcpy(&v, &bits, 4);
            if (geometry || !std::isfinite(v))
                v = std::isfinite(v) ? v : 1.0e-40f;
        }
        }
    }
    void field(const char*, std::int32_t& v) { v = static_cast<std::int32_t>(m_rng()); }
    void field(const char*, std::int16_t& v) {
        v = pick(2) ? static_cast<std::int16_t>(m_rng()) : static_cast<std::int16_t>(-pick(2));
    }
    void field(const char*, std::uint8_t& v) { v = static_cast<std::uint8_t>(m_rng()); }
    void field(const char*, QByteArray& v) {
        v.clear();
        if (pick(3) == 0)
            for (int n = pick(12); n > 0; --n)
                v.append(static_cast<char>(m_rng()));
    }
    template <std::size_t N> void field(const char*, FixedText<N>& v) {
        switch (pick(4)) {
        case 0:
            v.bytes.fill(0); // never assigned
            break;
        case 1:
            v.setText(QStringLiteral("ＭＳ Ｐ明朝"));
            break;
        case 2:
            v.setText(QStringLiteral("&H%1").arg(m_rng() & 0xFFFFFF, 0, 16));
            break;
        default:
            for (auto& b : v.bytes) // text followed by anything
                b = static_cast<std::uint8_t>(m_rng());
        }
    }
    template <std::size_t N> void field(const char*, std::array<std::uint8_t, N>& v) {
        for (auto& b : v)
            b = static_cast<std::uint8_t>(m_rng());
    }
    template <class T, std::size_t N> void field(const char* name, std::array<T, N>& v) {
        for (T& element : v)
            field(name, element);
    }

private:
    int pick(int n) { return static_cast<int>(m_rng() % static_cast<unsigned>(n)); }
    std::mt19937& m_rng;
};

inline LayoutItem randomItem(std::mt19937& rng) {
    LayoutItem item;
    RandomFiller filler(rng);
    detail::visitLayoutItem(item, filler);
    return item;
}

inline LayoutFileContent randomLayout(std::mt19937& rng, int itemCount) {
    LayoutFileContent content;
    RandomFiller filler(rng);
    detail::visitPageSettings(content.header, filler);
    content.header.ItemCount = itemCount;
    for (int i = 0; i < itemCount; ++i)
        content.items.push_back(randomItem(rng));
    return content;
}

// A plain live item of the given kind.
inline LayoutItem liveItem(std::int32_t category, std::int32_t variant = 0) {
    LayoutItem item;
    item.Live = kTrue;
    item.Category = category;
    item.LayoutVariant = variant;
    return item;
}

} // namespace tobirae::testing
