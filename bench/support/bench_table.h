// Timing and the benchmark table. A figure and its baseline are always
// measured in the same run, in rounds of many calls.
#pragma once
#include <windows.h>
#include <algorithm>

double secondsNow();

// Microseconds per call of f: the mean of `calls` calls, in the best of
// `rounds` rounds. Other programs on the machine only ever add time, so the
// best round is the one they disturbed least.
template <typename F> double bestMicros(int rounds, int calls, F f) {
    f();  // warm up
    double best = 1e300;
    for (int r = 0; r < rounds; r++) {
        double start = secondsNow();
        for (int i = 0; i < calls; i++) f();
        best = std::min(best, (secondsNow() - start) * 1e6 / calls);
    }
    return best;
}

// The same, timing only f; reset runs untimed after each call, to bring
// back the state f starts from.
template <typename F, typename R> double bestMicros(int rounds, int calls, F f, R reset) {
    f();
    reset();
    double best = 1e300;
    for (int r = 0; r < rounds; r++) {
        double spent = 0;
        for (int i = 0; i < calls; i++) {
            double start = secondsNow();
            f();
            spent += secondsNow() - start;
            reset();
        }
        best = std::min(best, spent * 1e6 / calls);
    }
    return best;
}

// A figure and its baseline in alternating rounds, so both see the same
// load of the machine; each the best of its rounds.
template <typename F, typename G> void bestPair(int rounds, int calls, F f, G g, double* figure, double* baseline) {
    *figure = *baseline = 1e300;
    for (int r = 0; r < rounds; r++) {
        *figure = std::min(*figure, bestMicros(1, calls, f));
        *baseline = std::min(*baseline, bestMicros(1, calls, g));
    }
}

// The same with a reset after each call of f or g, untimed.
template <typename F, typename G, typename R>
void bestPair(int rounds, int calls, F f, G g, R reset, double* figure, double* baseline) {
    *figure = *baseline = 1e300;
    for (int r = 0; r < rounds; r++) {
        *figure = std::min(*figure, bestMicros(1, calls, f, reset));
        *baseline = std::min(*baseline, bestMicros(1, calls, g, reset));
    }
}

// Rounds for the figures; BENCH_ROUNDS overrides the default of 7.
int benchRounds();

// One row: the case, its figure and baseline (microseconds), the ratio,
// and with maxRatio > 0 whether the ratio stays within that target.
void printRow(const char* name, double figure, double baseline, double maxRatio = 0);
// A line of a breakdown under the row before it: a part and its figure.
void printPart(const char* name, double figure);
