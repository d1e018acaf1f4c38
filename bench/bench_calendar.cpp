// Calendar engine speed: the per-day facts and solar-term lookups that every drawn day costs.
// Goal: the whole century 1950..2049 (what `tobirae-cli days` prints) well under 0.3 s.
#include "calendar/Calendar.h"

#include <benchmark/benchmark.h>

namespace {

using namespace std::chrono;

constexpr sys_days kFirst{year{1950} / 1 / 1};
constexpr sys_days kLast{year{2049} / 12 / 31};

void BM_DayFactsCentury(benchmark::State& state) {
    for (auto _ : state) {
        tobirae::DayFacts facts;
        for (sys_days d = kFirst; d <= kLast; d += days{1}) {
            facts.date = year_month_day{d};
            tobirae::computeDayFacts(facts);
            benchmark::DoNotOptimize(facts.rokuyoName.data());
        }
    }
    state.SetItemsProcessed(state.iterations() * ((kLast - kFirst).count() + 1));
}
BENCHMARK(BM_DayFactsCentury)->Unit(benchmark::kMillisecond);

void BM_SekkiLookupCentury(benchmark::State& state) {
    for (auto _ : state) {
        for (sys_days d = kFirst; d <= kLast; d += days{1}) {
            auto entries = tobirae::lookupSolarTerm(year_month_day{d});
            benchmark::DoNotOptimize(entries);
        }
    }
    state.SetItemsProcessed(state.iterations() * ((kLast - kFirst).count() + 1));
}
BENCHMARK(BM_SekkiLookupCentury)->Unit(benchmark::kMillisecond);

// A page showing December and January asks for two years in turn.
void BM_SekkiLookupAlternatingYears(benchmark::State& state) {
    const year_month_day december{year{2003} / 12 / 31};
    const year_month_day january{year{2004} / 1 / 1};
    for (auto _ : state) {
        benchmark::DoNotOptimize(tobirae::lookupSolarTerm(december));
        benchmark::DoNotOptimize(tobirae::lookupSolarTerm(january));
    }
}
BENCHMARK(BM_SekkiLookupAlternatingYears);

void BM_SekkiBuildYear(benchmark::State& state) {
    int y = 1950;
    for (auto _ : state) {
        benchmark::DoNotOptimize(tobirae::buildSolarTermYear(y));
        y = y == 2049 ? 1950 : y + 1;
    }
}
BENCHMARK(BM_SekkiBuildYear)->Unit(benchmark::kMicrosecond);

void BM_OldCalendarCentury(benchmark::State& state) {
    for (auto _ : state) {
        for (sys_days d = kFirst; d <= kLast; d += days{1})
            benchmark::DoNotOptimize(tobirae::oldCalendarDate(year_month_day{d}, true, true));
    }
}
BENCHMARK(BM_OldCalendarCentury)->Unit(benchmark::kMillisecond);

} // namespace
