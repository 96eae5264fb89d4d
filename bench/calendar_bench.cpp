// Cost of one lunar conversion and of one full lunar date text, over every day of the table.

#include <benchmark/benchmark.h>

#include "calendar/lunar_calendar.h"

namespace {

const DateTime kFirst = EncodeDate(1901, 1, 1);
const DateTime kLast = EncodeDate(2050, 12, 31);

// Calls `call` on every day of the table per iteration and reports the time of one call (the
// counter is calls per second, inverted).
template <typename Call>
void EveryDay(benchmark::State& state, Call call)
{
    for (auto _ : state) {
        for (DateTime date = kFirst; date <= kLast; date += 1) {
            benchmark::DoNotOptimize(call(date));
        }
    }
    state.counters["per_call"] =
        benchmark::Counter(kLast - kFirst + 1, benchmark::Counter::kIsIterationInvariantRate |
                                                   benchmark::Counter::kInvert);
}

void BM_ToLunarCode(benchmark::State& state)
{
    EveryDay(state, ToLunarCode);
}
BENCHMARK(BM_ToLunarCode)->Unit(benchmark::kMillisecond);

void BM_LunarDateText(benchmark::State& state)
{
    EveryDay(state, LunarDateText);
}
BENCHMARK(BM_LunarDateText)->Unit(benchmark::kMillisecond);

}  // namespace
