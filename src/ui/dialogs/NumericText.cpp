#include "ui/dialogs/NumericText.h"

#include <QRegularExpression>
#include <cmath>

namespace tobirae {

std::optional<double> numericValue(const QString& text) {
    const QString t = text.trimmed();
    if (t.startsWith(QLatin1String("&H"), Qt::CaseInsensitive)) {
        bool ok = false;
        const qlonglong v = t.mid(2).toLongLong(&ok, 16);
        if (!ok || t.size() == 2)
            return std::nullopt;
        return static_cast<double>(v);
    }
    static const QRegularExpression decimal(
        QStringLiteral("^[+-]?(\\d+\\.?\\d*|\\.\\d+)([eE][+-]?\\d+)?$"));
    if (!decimal.match(t).hasMatch())
        return std::nullopt;
    bool ok = false;
    const double v = t.toDouble(&ok);
    if (!ok || !std::isfinite(v))
        return std::nullopt;
    return v;
}

std::int64_t nearestEvenInteger(double value) {
    // Saturate far outside any range we check, so huge entries cannot overflow the conversion.
    constexpr double limit = 9.0e15;
    if (!(value > -limit))
        return static_cast<std::int64_t>(-limit);
    if (value > limit)
        return static_cast<std::int64_t>(limit);
    const double floor = std::floor(value);
    const double diff = value - floor;
    double result = floor;
    if (diff > 0.5 || (diff == 0.5 && std::fmod(floor, 2.0) != 0.0))
        result = floor + 1.0;
    return static_cast<std::int64_t>(result);
}

} // namespace tobirae
