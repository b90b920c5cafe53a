// tarnflow: the model engine on a small built-in demonstration project.
#include <cmath>
#include <cstdio>
#include <exception>

#include "model/dates.h"
#include "model/errors.h"
#include "model/run_model.h"

namespace {

// Two years of a synthetic maritime climate over two sub-areas, grassland and forest.
tarn::Project demoProject() {
    using namespace std::chrono;
    tarn::Project p;
    const int n = 731;
    p.resizeDays(n);
    const int first = tarn::daysSinceEpoch(year{2001} / 1 / 1);
    for (int d = 1; d <= n; ++d) {
        const double season = std::cos(2 * M_PI * (d - 15) / 365.25);  // 1 in midwinter
        p.DayDate(d, 0) = tarn::dateText(tarn::dateFromDays(first + d - 1));
        p.Balance(0, d, tarn::qty::P) = (d * 7919 % 13 < 5) ? 6.0 + 4.0 * season : 0.0;
        p.Balance(0, d, tarn::qty::ETr) = 2.0 - 1.6 * season;
    }
    const double grass[] = {70, 100, 120, 60, 20, 0.1, 0.9, 10, 100, 5, 0.6, 0.97};
    const double forest[] = {30, 105, 200, 100, 30, 0.25, 1.1, 10, 160, 5, 0.6, 0.97};
    const double* params[] = {grass, forest};
    for (int s = 1; s <= 2; ++s) {
        p.SubArea[std::size_t(s)] = params[s - 1][0] * 50;  // of 5000 ha
        p.SubAreaPct[std::size_t(s)] = int(params[s - 1][0]);
        p.RainFactor[std::size_t(s)] = params[s - 1][1];
        for (int c = 0; c < 12; ++c) p.SubPara(s - 1, c) = params[s - 1][c];
    }
    return p;
}

}  // namespace

int main() {
    try {
        tarn::Project p = demoProject();
        tarn::RunModel(p);
        std::printf("TARNFLOW demonstration: %d days, %s to %s, two sub-areas of 5000 ha\n",
                    p.NumDays, p.DayDate(1, 0).c_str(), p.DayDate(p.NumDays, 0).c_str());
        std::printf("%-8s %12s %14s %14s\n", "month", "depth (mm)", "volume (dam3)",
                    "forest (dam3)");
        for (int m = 1; m <= p.NumMonths; ++m)
            std::printf("%4.0f-%02.0f  %12.1f %14.1f %14.1f\n", double(p.MonYear[std::size_t(m)]),
                        double(p.MonMonth[std::size_t(m)]), p.MonTotal(4, m), p.MonTotal(2, m),
                        p.MonSub(26, m));
        std::printf("Largest monthly volume (last month left out): %.1f thousand m3\n",
                    p.MaxMonFirst);
        return 0;
    } catch (const tarn::InputError& e) {
        std::fprintf(stderr, "tarnflow: %s\n", e.what());
        return 1;
    }
}
