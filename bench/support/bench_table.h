// Timing and the benchmark table. Every figure is the median over several
// rounds, so a round slowed by other programs on the machine does not count;
// a figure and its baseline are always measured in the same run.
#pragma once
#include <windows.h>
#include <algorithm>
#include <vector>

double secondsNow();

// Median over `rounds` of the mean time of `calls` calls of f, in microseconds.
template <typename F> double medianMicros(int rounds, int calls, F f) {
    f();  // warm up
    std::vector<double> means;
    for (int r = 0; r < rounds; r++) {
        double start = secondsNow();
        for (int i = 0; i < calls; i++) f();
        means.push_back((secondsNow() - start) * 1e6 / calls);
    }
    std::sort(means.begin(), means.end());
    return means[means.size() / 2];
}

// The same, timing only f; reset runs untimed after each call, to bring
// back the state f starts from.
template <typename F, typename R> double medianMicros(int rounds, int calls, F f, R reset) {
    f();
    reset();
    std::vector<double> means;
    for (int r = 0; r < rounds; r++) {
        double spent = 0;
        for (int i = 0; i < calls; i++) {
            double start = secondsNow();
            f();
            spent += secondsNow() - start;
            reset();
        }
        means.push_back(spent * 1e6 / calls);
    }
    std::sort(means.begin(), means.end());
    return means[means.size() / 2];
}

// Rounds for the figures; BENCH_ROUNDS overrides the default of 7.
int benchRounds();

void printTableHeader();
// One row: the case, its figure and baseline (microseconds), the ratio,
// and with maxRatio > 0 whether the ratio stays within that target.
void printRow(const char* name, double figure, double baseline, double maxRatio = 0);
// A line of a breakdown under the row before it: a part and its figure.
void printPart(const char* name, double figure);
