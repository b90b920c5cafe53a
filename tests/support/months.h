#pragma once
// Monthly tables set directly, for the analyses' tests.
#include "model/project.h"

namespace tarn::testing {

// `count` months from (year, month): MonYear, MonMonth; every volume and depth field 1.0.
inline void setMonths(Project& p, int year, int month, int count) {
    p.reserveMonths(count);
    p.NumMonths = count;
    for (int m = 1; m <= count; ++m) {
        p.MonYear[std::size_t(m)] = float(year);
        p.MonMonth[std::size_t(m)] = float(month);
        for (int f = 1; f < kMonthFields; ++f) p.MonTotal(static_cast<MonthField>(f), m) = 1.0;
        for (int s = 1; s <= 10; ++s) {
            p.MonSub(tarn::Run::Last, s, m) = 2.0 * s;
            p.MonSub(tarn::Run::First, s, m) = 1.0 * s;
        }
        if (++month == 13) {
            month = 1;
            ++year;
        }
    }
}

}  // namespace tarn::testing
