// Timing and the benchmark table. A figure and its baseline are always
// measured in the same run, in rounds of many calls.
#pragma once
#include <windows.h>
#include <algorithm>
#include <vector>

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

// A figure and its baseline in alternating rounds, so both see the same
// load of the machine; each the best of its rounds.
template <typename F, typename G> void bestPair(int rounds, int calls, F f, G g, double* figure, double* baseline) {
    *figure = *baseline = 1e300;
    for (int r = 0; r < rounds; r++) {
        *figure = std::min(*figure, bestMicros(1, calls, f));
        *baseline = std::min(*baseline, bestMicros(1, calls, g));
    }
}

// Times of single calls of one case, gathered in turn with the calls of
// the cases it is compared with, so that all of them see the same load.
// The lower quartile is the figure: calls stalled by other programs on the
// machine fall above it.
class CallTimes {
public:
    template <typename F> void time(F f) {
        double start = secondsNow();
        f();
        times.push_back((secondsNow() - start) * 1e6);
    }
    double lowerQuartile();

private:
    std::vector<double> times;
};

// Rounds for the figures; BENCH_ROUNDS overrides the default of 7.
int benchRounds();

// One row: the case, its figure and baseline (microseconds), the ratio,
// and with maxRatio > 0 whether the ratio stays within that target.
void printRow(const char* name, double figure, double baseline, double maxRatio = 0);
// A line of a breakdown under the row before it: a part and its figure.
void printPart(const char* name, double figure);
