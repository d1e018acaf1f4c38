// Phase instants follow Jean Meeus, "Astronomical Algorithms" (2nd ed., 1998), chapter 49
// (true phases with the planetary terms), which gives Terrestrial Time; ΔT converts to UT with
// the polynomials of Espenak and Meeus, "Five Millennium Canon of Solar Eclipses" (NASA TP-2006-
// 214141). Within 1950–2049 the result stays well within a minute of modern ephemerides.
#include "calendar/MoonPhases.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string>

namespace tobirae {

using namespace std::chrono;

namespace {

constexpr double kMoonPi = 3.14159265358979323846;
constexpr double kSynodicMonth = 29.530588861;
constexpr double kJdUnixEpoch = 2440587.5;
constexpr seconds kJapanOffset = hours{9};

double moonSin(double d) {
    return std::sin(d * kMoonPi / 180.0);
}
double moonCos(double d) {
    return std::cos(d * kMoonPi / 180.0);
}

// Periodic terms: coefficient, power of E, multiples of M, M', F and Ω.
struct Term {
    double coefficient;
    int ePower;
    int m, mPrime, f, omega;
};

constexpr Term kNewTerms[] = {
    {-0.40720, 0, 0, 1, 0, 0}, {0.17241, 1, 1, 0, 0, 0},    {0.01608, 0, 0, 2, 0, 0},
    {0.01039, 0, 0, 0, 2, 0},  {0.00739, 1, -1, 1, 0, 0},   {-0.00514, 1, 1, 1, 0, 0},
    {0.00208, 2, 2, 0, 0, 0},  {-0.00111, 0, 0, 1, -2, 0},  {-0.00057, 0, 0, 1, 2, 0},
    {0.00056, 1, 1, 2, 0, 0},  {-0.00042, 0, 0, 3, 0, 0},   {0.00042, 1, 1, 0, 2, 0},
    {0.00038, 1, 1, 0, -2, 0}, {-0.00024, 1, -1, 2, 0, 0},  {-0.00017, 0, 0, 0, 0, 1},
    {-0.00007, 0, 2, 1, 0, 0}, {0.00004, 0, 0, 2, -2, 0},   {0.00004, 0, 3, 0, 0, 0},
    {0.00003, 0, 1, 1, -2, 0}, {0.00003, 0, 0, 2, 2, 0},    {-0.00003, 0, 1, 1, 2, 0},
    {0.00003, 0, -1, 1, 2, 0}, {-0.00002, 0, -1, 1, -2, 0}, {-0.00002, 0, 1, 3, 0, 0},
    {0.00002, 0, 0, 4, 0, 0},
};

constexpr Term kFullTerms[] = {
    {-0.40614, 0, 0, 1, 0, 0}, {0.17302, 1, 1, 0, 0, 0},    {0.01614, 0, 0, 2, 0, 0},
    {0.01043, 0, 0, 0, 2, 0},  {0.00734, 1, -1, 1, 0, 0},   {-0.00515, 1, 1, 1, 0, 0},
    {0.00209, 2, 2, 0, 0, 0},  {-0.00111, 0, 0, 1, -2, 0},  {-0.00057, 0, 0, 1, 2, 0},
    {0.00056, 1, 1, 2, 0, 0},  {-0.00042, 0, 0, 3, 0, 0},   {0.00042, 1, 1, 0, 2, 0},
    {0.00038, 1, 1, 0, -2, 0}, {-0.00024, 1, -1, 2, 0, 0},  {-0.00017, 0, 0, 0, 0, 1},
    {-0.00007, 0, 2, 1, 0, 0}, {0.00004, 0, 0, 2, -2, 0},   {0.00004, 0, 3, 0, 0, 0},
    {0.00003, 0, 1, 1, -2, 0}, {0.00003, 0, 0, 2, 2, 0},    {-0.00003, 0, 1, 1, 2, 0},
    {0.00003, 0, -1, 1, 2, 0}, {-0.00002, 0, -1, 1, -2, 0}, {-0.00002, 0, 1, 3, 0, 0},
    {0.00002, 0, 0, 4, 0, 0},
};

constexpr Term kQuarterTerms[] = {
    {-0.62801, 0, 0, 1, 0, 0}, {0.17172, 1, 1, 0, 0, 0},    {-0.01183, 1, 1, 1, 0, 0},
    {0.00862, 0, 0, 2, 0, 0},  {0.00804, 0, 0, 0, 2, 0},    {0.00454, 1, -1, 1, 0, 0},
    {0.00204, 2, 2, 0, 0, 0},  {-0.00180, 0, 0, 1, -2, 0},  {-0.00070, 0, 0, 1, 2, 0},
    {-0.00040, 0, 0, 3, 0, 0}, {-0.00034, 1, -1, 2, 0, 0},  {0.00032, 1, 1, 0, 2, 0},
    {0.00032, 1, 1, 0, -2, 0}, {-0.00028, 2, 2, 1, 0, 0},   {0.00027, 1, 1, 2, 0, 0},
    {-0.00017, 0, 0, 0, 0, 1}, {-0.00005, 0, -1, 1, -2, 0}, {0.00004, 0, 0, 2, 2, 0},
    {-0.00004, 0, 1, 1, 2, 0}, {0.00004, 0, -2, 1, 0, 0},   {0.00003, 0, 1, 1, -2, 0},
    {0.00003, 0, 3, 0, 0, 0},  {0.00002, 0, 0, 2, -2, 0},   {0.00002, 0, -1, 1, 2, 0},
    {-0.00002, 0, 1, 3, 0, 0},
};

// Planetary arguments: constant, rate per lunation, and the coefficient of the sine.
struct Planetary {
    double constant, rate, coefficient;
};
constexpr Planetary kPlanetary[] = {
    {299.77, 0.107408, 0.000325},  {251.88, 0.016321, 0.000165}, {251.83, 26.651886, 0.000164},
    {349.42, 36.412478, 0.000126}, {84.66, 18.206239, 0.000110}, {141.74, 53.303771, 0.000062},
    {207.14, 2.453732, 0.000060},  {154.84, 7.306860, 0.000056}, {34.52, 27.261239, 0.000047},
    {207.19, 0.121824, 0.000042},  {291.34, 1.844379, 0.000040}, {161.72, 24.198154, 0.000037},
    {239.56, 25.513099, 0.000035}, {331.55, 3.592518, 0.000023},
};

template <std::size_t N>
double periodic(const Term (&terms)[N], double e, double m, double mPrime, double f, double omega) {
    double sum = 0;
    for (const Term& t : terms) {
        const double factor = t.ePower == 0 ? 1.0 : t.ePower == 1 ? e : e * e;
        sum += t.coefficient * factor *
               moonSin(t.m * m + t.mPrime * mPrime + t.f * f + t.omega * omega);
    }
    return sum;
}

// Julian Ephemeris Day of the phase (Meeus 49.1 to 49.7).
double phaseJde(double k) {
    const double t = k / 1236.85;
    const double t2 = t * t, t3 = t2 * t, t4 = t3 * t;
    double jde =
        2451550.09766 + kSynodicMonth * k + 0.00015437 * t2 - 0.000000150 * t3 + 0.00000000073 * t4;
    const double e = 1 - 0.002516 * t - 0.0000074 * t2;
    const double m = 2.5534 + 29.10535670 * k - 0.0000014 * t2 - 0.00000011 * t3;
    const double mPrime =
        201.5643 + 385.81693528 * k + 0.0107582 * t2 + 0.00001238 * t3 - 0.000000058 * t4;
    const double f =
        160.7108 + 390.67050284 * k - 0.0016118 * t2 - 0.00000227 * t3 + 0.000000011 * t4;
    const double omega = 124.7746 - 1.56375588 * k + 0.0020672 * t2 + 0.00000215 * t3;

    const double fraction = k - std::floor(k);
    if (fraction < 0.125) {
        jde += periodic(kNewTerms, e, m, mPrime, f, omega);
    } else if (fraction > 0.375 && fraction < 0.625) {
        jde += periodic(kFullTerms, e, m, mPrime, f, omega);
    } else {
        jde += periodic(kQuarterTerms, e, m, mPrime, f, omega);
        const double w = 0.00306 - 0.00038 * e * moonCos(m) + 0.00026 * moonCos(mPrime) -
                         0.00002 * moonCos(mPrime - m) + 0.00002 * moonCos(mPrime + m) +
                         0.00002 * moonCos(2 * f);
        jde += fraction < 0.5 ? w : -w;
    }
    for (const Planetary& p : kPlanetary) {
        const double argument = p.constant + p.rate * k - (&p == kPlanetary ? 0.009173 * t2 : 0);
        jde += p.coefficient * moonSin(argument);
    }
    return jde;
}

sys_days japanDay(sys_seconds at) {
    return floor<days>(at + kJapanOffset);
}

} // namespace

std::string_view moonPhaseName(MoonPhase phase) {
    constexpr std::string_view kNames[] = {"新月", "上弦", "満月", "下弦"};
    return kNames[static_cast<int>(phase) & 3];
}

std::string_view moonPhaseSymbol(MoonPhase phase) {
    constexpr std::string_view kSymbols[] = {"●", "◐", "○", "◑"};
    return kSymbols[static_cast<int>(phase) & 3];
}

double deltaTSeconds(double y) {
    if (y < 1900) {
        const double u = (y - 1820) / 100;
        return -20 + 32 * u * u;
    }
    if (y < 1920) {
        const double t = y - 1900;
        return -2.79 + 1.494119 * t - 0.0598939 * t * t + 0.0061966 * t * t * t -
               0.000197 * t * t * t * t;
    }
    if (y < 1941) {
        const double t = y - 1920;
        return 21.20 + 0.84493 * t - 0.076100 * t * t + 0.0020936 * t * t * t;
    }
    if (y < 1961) {
        const double t = y - 1950;
        return 29.07 + 0.407 * t - t * t / 233 + t * t * t / 2547;
    }
    if (y < 1986) {
        const double t = y - 1975;
        return 45.45 + 1.067 * t - t * t / 260 - t * t * t / 718;
    }
    if (y < 2005) {
        const double t = y - 2000;
        return 63.86 + 0.3345 * t - 0.060374 * t * t + 0.0017275 * t * t * t +
               0.000651814 * t * t * t * t + 0.00002373599 * t * t * t * t * t;
    }
    if (y < 2050) {
        const double t = y - 2000;
        return 62.92 + 0.32217 * t + 0.005589 * t * t;
    }
    const double u = (y - 1820) / 100;
    return -20 + 32 * u * u - 0.5628 * (2150 - y);
}

sys_seconds moonPhaseInstant(long lunation, MoonPhase phase) {
    const double k = static_cast<double>(lunation) + static_cast<int>(phase) * 0.25;
    const double jde = phaseJde(k);
    const double decimalYear = 2000.0 + (jde - 2451544.5) / 365.2425;
    const double unixSeconds = (jde - kJdUnixEpoch) * 86400.0 - deltaTSeconds(decimalYear);
    return sys_seconds{seconds{static_cast<long long>(std::llround(unixSeconds))}};
}

MoonYearTable buildMoonYear(int y) {
    MoonYearTable table;
    table.year = y;
    // Japan-time year bounds, with a lunation of margin on each side.
    const sys_seconds first = sys_seconds{sys_days{year{y} / January / 1}} - kJapanOffset;
    const sys_seconds last = sys_seconds{sys_days{year{y + 1} / January / 1}} - kJapanOffset;
    const double fromK = std::floor((y - 2000.0) * 12.3685) - 2;
    for (long k = static_cast<long>(fromK);; ++k) {
        bool pastEnd = false;
        for (int p = 0; p < 4; ++p) {
            const MoonPhase phase = static_cast<MoonPhase>(p);
            const sys_seconds at = moonPhaseInstant(k, phase);
            if (at >= last + days{1} && phase == MoonPhase::New)
                pastEnd = true;
            if (pastEnd)
                break;
            table.instants.push_back({at, phase});
        }
        if (pastEnd)
            break;
    }
    // Keep from the last new moon before the year on.
    std::size_t keepFrom = 0;
    for (std::size_t i = 0; i < table.instants.size(); ++i) {
        if (table.instants[i].phase == MoonPhase::New && table.instants[i].at < first)
            keepFrom = i;
    }
    table.instants.erase(table.instants.begin(),
                         table.instants.begin() + static_cast<std::ptrdiff_t>(keepFrom));
    return table;
}

MoonDay moonDayIn(const MoonYearTable& table, sys_days date) {
    MoonDay result;
    const sys_seconds noon = sys_seconds{date} + hours{12} - kJapanOffset;
    const auto& list = table.instants;
    // The first instant after the Japan-time day's start.
    const sys_seconds dayStart = sys_seconds{date} - kJapanOffset;
    auto it =
        std::lower_bound(list.begin(), list.end(), dayStart,
                         [](const MoonYearTable::Instant& i, sys_seconds t) { return i.at < t; });
    if (it != list.end() && japanDay(it->at) == date)
        result.phase = it->phase;
    for (auto back = std::upper_bound(
             list.begin(), list.end(), noon,
             [](sys_seconds t, const MoonYearTable::Instant&i) { return t < i.at; });
         back != list.begin();) {
        --back;
        if (back->phase == MoonPhase::New) {
            result.age = duration<double>(noon - back->at).count() / 86400.0;
            break;
        }
    }
    return result;
}

MoonDay moonDay(year_month_day date) {
    if (!date.ok())
        return {};
    const sys_days day{date};
    const sys_seconds noon = sys_seconds{day} + hours{12} - kJapanOffset;
    // True phases stray from their mean places by less than 0.9 day (the periodic terms' sum),
    // so the mean lunation tells which few true instants can matter.
    constexpr double kMargin = 1.25;
    const double noonJd =
        kJdUnixEpoch + static_cast<double>(noon.time_since_epoch().count()) / 86400.0;
    const auto meanJd = [](double k) { return 2451550.09766 + kSynodicMonth * k; };
    long k = static_cast<long>(std::floor((noonJd - meanJd(0)) / kSynodicMonth));
    sys_seconds newMoon = moonPhaseInstant(k, MoonPhase::New);
    std::optional<sys_seconds> nextNew;
    if (newMoon > noon) {
        nextNew = newMoon;
        newMoon = moonPhaseInstant(--k, MoonPhase::New);
    } else if (meanJd(static_cast<double>(k + 1)) - noonJd < kMargin) {
        nextNew = moonPhaseInstant(k + 1, MoonPhase::New);
        if (*nextNew <= noon) {
            newMoon = *nextNew;
            nextNew = moonPhaseInstant(++k + 1, MoonPhase::New);
        }
    }
    MoonDay result;
    result.age = duration<double>(noon - newMoon).count() / 86400.0;
    // Quarters lie a week apart: only the one nearest by its mean place can fall on this day.
    const double quarters = (noonJd - meanJd(static_cast<double>(k))) / (kSynodicMonth / 4);
    const long quarter = std::clamp(std::lround(quarters), 0L, 4L);
    if (std::fabs(noonJd - meanJd(static_cast<double>(k) + static_cast<double>(quarter) / 4)) >
        0.5 + kMargin)
        return result;
    sys_seconds at;
    if (quarter == 0)
        at = newMoon;
    else if (quarter == 4)
        at = nextNew ? *nextNew : moonPhaseInstant(k + 1, MoonPhase::New);
    else
        at = moonPhaseInstant(k, static_cast<MoonPhase>(quarter));
    if (japanDay(at) == day)
        result.phase = static_cast<MoonPhase>(quarter % 4);
    return result;
}

std::string moonAgeText(double age) {
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "%.1f", age);
    return buffer;
}

} // namespace tobirae
