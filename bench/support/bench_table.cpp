#include "bench_table.h"
#include <stdio.h>
#include <stdlib.h>

double secondsNow() {
    static LARGE_INTEGER frequency = {};
    if (!frequency.QuadPart) QueryPerformanceFrequency(&frequency);
    LARGE_INTEGER t;
    QueryPerformanceCounter(&t);
    return (double)t.QuadPart / (double)frequency.QuadPart;
}

double CallTimes::lowerQuartile() {
    if (times.empty()) return 0;
    std::vector<double> sorted = times;
    std::sort(sorted.begin(), sorted.end());
    return sorted[sorted.size() / 4];
}

int benchRounds() {
    const char* text = getenv("BENCH_ROUNDS");
    int rounds = text ? atoi(text) : 0;
    return rounds > 0 ? rounds : 7;
}

void printRow(const char* name, double figure, double baseline, double maxRatio) {
    double ratio = baseline > 0 ? figure / baseline : 0;
    char target[40] = "";
    if (maxRatio > 0)
        snprintf(target, sizeof(target), "<= %.2fx %s", maxRatio, ratio <= maxRatio ? "met" : "MISSED");
    // Figures below 10 us keep four decimals, so nanoseconds still show.
    printf(figure < 10 ? "%-54s %11.4f %11.4f %7.2fx  %s\n" : "%-54s %11.2f %11.2f %7.2fx  %s\n", name, figure,
           baseline, ratio, target);
    fflush(stdout);
}

void printPart(const char* name, double figure) {
    printf("    %-50s %11.2f\n", name, figure);
    fflush(stdout);
}
