#include "bench_support.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>

#include "model/dates.h"

namespace tarn::bench {

void addProjectBlock(XlsxBuilder& b, int s) {
    b.setText(s, 1, 6, "Benchmark catchment");
    b.setText(s, 2, 6, "Bench");
    b.setNumber(s, 3, 6, 10000);
    // Per sub-area: share, rain factor, TAW, RAW, top, IF, Kc, St0, Sw0, B0.
    const double params[] = {10, 100, 150, 75, 20, 0.1, 1.0, 10, 100, 5};
    for (int c = 6; c <= 15; ++c)
        for (int r = 5; r <= 14; ++r) b.setNumber(s, r, c, params[r - 5] + (r == 7 ? c : 0));
    for (int c = 16; c <= 20; ++c)
        for (int r = 5; r <= 7; ++r) b.setNumber(s, r, c, 20.0 * r + c);
    for (int c = 22; c <= 26; ++c)
        for (int r = 5; r <= 6; ++r) b.setNumber(s, r, c, 0.1 * r);
    b.setNumber(s, 17, 6, 0.6);
    b.setNumber(s, 18, 6, 0.97);
    b.setNumber(s, 17, 24, 0.6);
    b.setNumber(s, 18, 24, 0.97);
}

void addDailyRecord(XlsxBuilder& b, int s, int days) {
    const int first = daysSinceEpoch(std::chrono::year{1900} / 1 / 1);
    double flow = 1.0;
    unsigned seed = 12345;
    auto random = [&] {
        seed = seed * 1103515245u + 12345u;
        return double((seed >> 8) & 0xffff) / 65536.0;
    };
    for (int d = 1; d <= days; ++d) {
        const double rain = random() < 0.55 ? 0.0 : std::round(-8.0 * std::log(1 - random()) * 10) / 10;
        flow = 0.96 * flow + 0.15 * rain;
        b.setNumber(s, 24 + d, 3, std::round(flow * 100) / 100);
        b.setDate(s, 24 + d, 4, first + d - 1);
        b.setNumber(s, 24 + d, 5, rain);
        b.setNumber(s, 24 + d, 6, 1.5 + 1.2 * std::sin(d * 2 * 3.14159265 / 365.25));
    }
    static const char* const names[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                        "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
    for (int m = 1; m <= 12; ++m) {
        b.setText(s, 4 + m, 29, names[m - 1]);
        b.setNumber(s, 4 + m, 30, 1.5 + 1.2 * std::sin((m - 4) * 3.14159265 / 6));
    }
}

double Figures::median() const {
    auto s = ms;
    std::sort(s.begin(), s.end());
    return s[s.size() / 2];
}

double Figures::max() const { return *std::max_element(ms.begin(), ms.end()); }

std::string Figures::text() const {
    char buf[160];
    std::snprintf(buf, sizeof buf, "median %7.1f ms  min %7.1f  max %7.1f  (n=%zu)", median(),
                  *std::min_element(ms.begin(), ms.end()), max(), ms.size());
    return buf;
}

}  // namespace tarn::bench
