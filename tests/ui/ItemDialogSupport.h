// What the item-property and font/colour dialog tests share: a dialog context, new-item records,
// finding and choosing controls, and records filled with random values.
#pragma once

#include "TestLayouts.h"
#include "document/LayoutFields.h"
#include "document/LayoutFile.h"
#include "render/NewItemDefaults.h"
#include "ui/dialogs/ItemDialogRules.h"
#include "ui/dialogs/ItemPropertiesDialog.h"

#include <QComboBox>
#include <QTest>
#include <QWidget>
#include <QRandomGenerator>
#include <chrono>
#include <type_traits>

// Test files take all of it, with the program's names and the chrono literals, in one line.
namespace itemdialogtest {

using namespace tobirae;
using namespace std::chrono;
using test::Kind;
using test::kKinds;

inline const ItemDialogContext kContext{
    210,
    297,
    year{2027} / September / 1,
    {QStringLiteral("ＭＳ ゴシック"), QStringLiteral("ＭＳ 明朝"), QStringLiteral("IPAGothic")},
    {}};

inline LayoutItem defaultsOf(int category, int variant) {
    LayoutItem item;
    item.Live = kTrue;
    applyNewItemDefaults(category, variant, item, 210, 297);
    return item;
}

template <class T> T* child(QObject& parent, const QString& name) {
    T* found = parent.findChild<T*>(name);
    if (!found)
        qFatal("no child %s", qPrintable(name));
    return found;
}

inline void choose(QComboBox* box, int index) {
    box->setCurrentIndex(index);
    emit box->activated(index);
}

inline QStringList captions(const QList<StyleChoice>& choices) {
    QStringList list;
    for (const StyleChoice& c : choices)
        list << c.caption;
    return list;
}

inline QStringList comboTexts(QComboBox* box) {
    QStringList list;
    for (int i = 0; i < box->count(); ++i)
        list << box->itemText(i);
    return list;
}

inline QByteArray recordBytes(const LayoutItem& item) {
    LayoutFileContent content;
    content.items.push_back(item);
    return serializeLayout(content);
}

// Fills every field of a record with random values, texts with random printable bytes.
struct RandomFields {
    QRandomGenerator& rng;
    template <class T> void field(const char*, T& value) {
        if constexpr (std::is_integral_v<T>)
            value = static_cast<T>(rng.generate());
        else if constexpr (std::is_floating_point_v<T>)
            value = static_cast<T>(rng.bounded(2000.0));
        else if constexpr (std::is_same_v<T, QByteArray>)
            value.clear(); // STR fields are never set by the program
        else
            randomArray(value);
    }
    template <std::size_t N> void randomArray(FixedText<N>& text) {
        for (auto& b : text.bytes)
            b = static_cast<std::uint8_t>(rng.bounded(0x20, 0x7F));
        if (rng.bounded(3) == 0) // sometimes a never-assigned field
            text.bytes.fill(0);
    }
    template <class E, std::size_t N> void randomArray(std::array<E, N>& values) {
        for (auto& v : values)
            v = static_cast<E>(rng.generate());
    }
    void begin(const char*) {}
    void end() {}
};

using test::Kind;
using test::kKinds;

inline void clickOn(QWidget* widget, QPointF at, bool twice = false) {
    if (twice)
        QTest::mouseDClick(widget, Qt::LeftButton, {}, at.toPoint());
    else
        QTest::mouseClick(widget, Qt::LeftButton, {}, at.toPoint());
}

} // namespace itemdialogtest
