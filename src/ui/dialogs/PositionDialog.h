// The position dialog "配置指定": left, top, width and height of an item box.
#pragma once

#include <QDialog>
#include <array>

class QLineEdit;

namespace tobirae {

struct BoxValues {
    float x = 0;
    float y = 0;
    float width = 0;
    float height = 0;

    bool operator==(const BoxValues&) const = default;
};

inline constexpr double kBoxLimit = 32767;

// The box after OK: X and Y when numeric, width and height when numeric and at least 1;
// every other entry keeps its value. Numbers are bounded to ±kBoxLimit.
BoxValues applyBoxEntries(const BoxValues& before, const std::array<QString, 4>& texts);

class PositionDialog final : public QDialog {
    Q_OBJECT
public:
    explicit PositionDialog(const BoxValues& values, QWidget* parent = nullptr);

    const BoxValues& values() const { return values_; }

private:
    BoxValues values_;
    std::array<QLineEdit*, 4> picturePathEdit_{};
};

} // namespace tobirae
