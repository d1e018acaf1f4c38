#include "calendar/DateHelpers.h"

#include <gtest/gtest.h>

namespace tobirae {
namespace {

using namespace std::chrono;

TEST(JulianDayNumber, KnownDays) {
    EXPECT_EQ(Fnc_JulianDayNumber(2000, 1, 1), 2451545);
    EXPECT_EQ(Fnc_JulianDayNumber(1900, 3, 1), 2415080);
    EXPECT_EQ(Fnc_JulianDayNumber(2004, 3, 20), 2453085);
}

} // namespace
} // namespace tobirae
