#include "output/output_chart.h"

#include <algorithm>

#include "model/measured_days.h"
#include "model/variant.h"

namespace tarn {

namespace {

// The daily tables hold days 1..NumDays.
bool tablesHoldPeriod(const Project& p) {
    return p.NumDays > 0 && p.Balance.days() >= p.NumDays + 1 && p.Balance.outer() > indexOf(slot::LastRun) &&
           p.Balance.inner() > indexOf(qty::Measured) && p.DayDate.rows() >= p.NumDays + 1;
}

bool inTable(const OutputChart& chart, int column, int row) {
    return row >= 0 && row < chart.table.rows() && column >= 1 && column <= chart.table.columnCount() &&
           column <= int(chart.series.size());
}

}  // namespace

DayWindow chartWindow(const Project& p) {
    DayWindow w;
    w.last = std::min(p.DaysOut, p.NumDays);
    if (p.RerunFlag == 1 && p.StartDay >= 1 && p.StartDay <= w.last) w.first = p.StartDay;
    return w;
}

OutputChart chartConfig(const Project& p, const SeriesTicks& ticks) {
    OutputChart chart;
    const bool rerun = p.RerunFlag == 1;
    for (int i = 0; i < 5; ++i)
        if (ticks[std::size_t(i)]) {
            chart.series.push_back({kSeriesQuantity[std::size_t(i)], false});
            chart.table.names.emplace_back(kSeriesText[std::size_t(i)]);
        }
    const std::size_t selected = chart.series.size();
    if (rerun)
        for (std::size_t n = 0; n < selected; ++n) {
            const Qty k = chart.series[n].quantity;
            if (k == qty::Measured) continue;  // the measured series has no last run
            const auto i = std::size_t(std::find(kSeriesQuantity.begin(), kSeriesQuantity.end(), k) -
                                       kSeriesQuantity.begin());
            chart.series.push_back({k, true});
            chart.table.names.emplace_back(kSeriesText[5 + i]);
        }
    chart.table.columns.resize(chart.series.size());

    const DayWindow w = chartWindow(p);
    chart.firstDay = w.first;
    if (!tablesHoldPeriod(p) || w.last < w.first) return chart;
    const auto rows = std::size_t(w.last - w.first + 1);
    chart.table.labels.reserve(rows);
    for (int d = w.first; d <= w.last; ++d) chart.table.labels.push_back(p.DayDate(d, 0));
    for (std::size_t c = 0; c < chart.series.size(); ++c) {
        const ChartSeries& s = chart.series[c];
        const double* values = p.Balance.series(s.lastRun ? slot::LastRun : slot::FirstRun, s.quantity);
        chart.table.columns[c].assign(values + w.first, values + w.last + 1);
    }
    return chart;
}

std::string outputPointSelectedText(const OutputChart& chart, int column, int row, bool withUnit) {
    if (!inTable(chart, column, row)) return {};
    // A series without a title is a copy drawn under a titled one: nothing to name.
    if (chart.table.names[std::size_t(column - 1)].empty()) return {};
    return "Value of " + chart.table.names[std::size_t(column - 1)] + ", on " + chart.table.labels[std::size_t(row)] +
           " = " + generalNumberText(chart.table.value(column, row)) + (withUnit ? " mm/day" : "");
}

std::string outputPointValueText(const OutputChart& chart, int column, int row) {
    if (!inTable(chart, column, row)) return {};
    return generalNumberText(chart.table.value(column, row));
}

OutputPointEdit editOutputChartPoint(Project& p, OutputChart& chart, int column, int row,
                                     std::string_view answer) {
    OutputPointEdit e;
    if (answer.empty() || !inTable(chart, column, row)) return e;
    const auto v = parseNumber(answer);
    if (!v) {
        e.kind = OutputPointEdit::Kind::Invalid;
        e.message = std::string(kOutputInvalidPointMessage);
        return e;
    }
    const Qty k = chart.series[std::size_t(column - 1)].quantity;
    if (k != qty::P && k != qty::Measured) {
        e.kind = OutputPointEdit::Kind::NotEditable;
        e.status = "The modelled series cannot be edited: their points follow from the next rerun";
        return e;
    }
    const int day = chart.firstDay + row;
    if (!tablesHoldPeriod(p) || day < 1 || day > p.NumDays) return e;
    if (k == qty::P)
        p.Balance(slot::Inputs, day, qty::P) = *v;
    else
        setMeasuredValue(p, day, *v);
    for (std::size_t c = 0; c < chart.series.size(); ++c)
        if (chart.series[c].quantity == k) chart.table.columns[c][std::size_t(row)] = *v;
    p.RerunFlag = 1;
    e.kind = OutputPointEdit::Kind::Changed;
    e.value = *v;
    e.status = std::string(k == qty::P ? "Rainfall" : "Measured streamflow") + " on " + p.DayDate(day, 0) +
               " is now " + generalNumberText(*v) + " mm/day: rerun to see the effect";
    return e;
}

}  // namespace tarn
