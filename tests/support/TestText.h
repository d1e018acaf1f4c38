// Japanese expectations are written as UTF-16 literals, so a test reads the same whatever the
// compiler takes the execution character set to be.
#pragma once

#include <QString>

namespace tobirae::test {

inline QString u(const char16_t* s) {
    return QString::fromUtf16(s);
}

} // namespace tobirae::test
