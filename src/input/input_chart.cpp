#include "input/input_chart.h"

#include <algorithm>
#include <memory>
#include <optional>

#include "model/errors.h"
#include "model/measured_days.h"
#include "workbook/input_workbook.h"
#include "workbook/workbook.h"

namespace tarn {

namespace {

constexpr int kMonths = 12;

// The day tables are sized for the period read last.
bool tablesHoldPeriod(const Project& p) {
    return p.Balance.days() == p.NumDays + 16 && p.DayDate.rows() == p.NumDays + 2;
}

bool freshRead(const Project& p) { return p.ChartLoaded == 0 || p.ChartRedim != 0 || !tablesHoldPeriod(p); }

// What one read takes from the workbook, before any of it enters the project.
struct SeriesRead {
    int days = 0;
    std::vector<std::string> dates;
    std::optional<std::vector<double>> rain, etrefDaily;
    std::optional<MeasuredRead> measured;
    std::optional<MonthlyTable> etrefMonthly;
};

SeriesRead readRequested(const Project& p, bool fresh, const ProgressFn& progress) {
    const bool wantDates = fresh || p.LoadDates != 0;
    const bool wantRain = p.LoadRain != 0 && p.ChartSeries == 1;
    const bool wantMeasured = wantRain && p.ChartMeas == 1;
    const bool wantEtref = p.LoadEtref != 0 && p.ChartSeries == 2;
    const bool monthly = wantEtref && p.EtrefMonthly == 1;
    const int steps = int(wantDates) + int(wantRain) + int(wantMeasured) + int(wantEtref);
    int done = 0;
    auto step = [&] {
        if (progress) progress(++done, steps);
    };

    SeriesRead r;
    const std::unique_ptr<Workbook> book = openWorkbook(p.ChartFile);
    r.days = fresh ? countDays(*book, p.ColDate) : p.NumDays;
    if (r.days == 0)
        throw InputError(p.ColDate + "25: there are no dates from row 25 down in column " + p.ColDate);
    if (progress) progress(0, steps);
    if (wantDates) {
        r.dates = readDayDates(*book, r.days, p.ColDate);
        step();
    }
    if (wantRain) {
        checkSeriesEndsWithDates(*book, r.days, p.ColDate, p.ColData, "the rainfall");
        r.rain = readDayNumbers(*book, r.days, p.ColData);
        step();
    }
    if (wantMeasured) {
        r.measured = readMeasuredStreamflow(*book, r.days);
        step();
    }
    if (wantEtref) {
        if (monthly) {
            r.etrefMonthly = readMonthlyTable(*book, p.ColData);
        } else {
            r.etrefDaily = readDayNumbers(*book, r.days, p.ColData);
        }
        step();
    }
    return r;
}

// Puts a read into the project; nothing here can fail once the period fits.
void commit(Project& p, SeriesRead& r, bool fresh) {
    if (fresh) p.resizeDays(r.days);
    if (!r.dates.empty())
        for (int d = 1; d <= r.days; ++d) p.DayDate(d, 0) = std::move(r.dates[std::size_t(d)]);
    auto put = [&](const std::vector<double>& values, Slot slot, Qty k) {
        double* series = p.Balance.series(slot, k);
        std::copy(values.begin() + 1, values.begin() + 1 + r.days, series + 1);
    };
    if (r.rain) put(*r.rain, slot::Inputs, qty::P);
    if (r.measured) {
        put(r.measured->values, slot::FirstRun, qty::Measured);
        setMeasuredDays(p, std::move(r.measured->missing));
    }
    if (r.etrefDaily) put(*r.etrefDaily, slot::Inputs, qty::ETr);
    if (r.etrefMonthly) {
        for (int m = 1; m <= kMonths; ++m) p.MonthlyEtref[std::size_t(m)] = r.etrefMonthly->values[std::size_t(m)];
        p.MonthLabel = r.etrefMonthly->labels;
        // The model reads the daily series; give it the monthly values now, so it has them
        // however the chart is left.
        spreadMonthlyEtref(p);
    }

    if (p.LoadRain != 0 && p.ChartSeries == 1) p.LoadRain = 0;
    if (p.LoadEtref != 0 && p.ChartSeries == 2) p.LoadEtref = 0;
    p.LoadDates = 0;
    p.ChartLoaded = 1;
    p.ChartRedim = 0;
}

}  // namespace

void restartInputChart(Project& p) {
    p.ChartFile = p.DataFile;
    p.ChartLoaded = 0;
}

void requestInputChart(Project& p, const ChartRequest& request) {
    p.ChartFile = p.DataFile;
    p.ColDate = request.colDate.empty() ? "D" : request.colDate;
    p.ColData = request.colData;
    p.ChartTitle = request.title;
    p.ChartSeries = request.series;
    p.ChartFromRain = request.fromRain ? 1 : 0;
    if (request.loadDates) p.LoadDates = 1;
    if (request.loadRain) p.LoadRain = 1;
    if (request.loadEtref) p.LoadEtref = 1;
    if (request.measured) p.ChartMeas = 1;
}

bool monthlyChart(const Project& p) { return p.EtrefMonthly == 1 && p.ChartSeries == 2; }

std::string inputChartCaption(const Project& p) {
    return "Active File:" + p.ChartFile + " Edit Rainfall or Etref Data";
}

std::string inputChartReadingCaption(const Project& p) {
    return "Reading data from  " + p.ChartFile + "  Please Wait !!!!!";
}

InputChartView loadInputChart(Project& p, std::string_view rowsBox, const ProgressFn& progress) {
    InputChartView v;
    const bool fresh = freshRead(p);
    const bool wantsSeries = (p.LoadRain != 0 && p.ChartSeries == 1) ||
                             (p.LoadEtref != 0 && p.ChartSeries == 2) || p.LoadDates != 0;
    if (fresh || wantsSeries) {
        try {
            SeriesRead r = readRequested(p, fresh, progress);
            commit(p, r, fresh);
        } catch (const InputError& e) {
            v.status = namingFile(p.ChartFile, e.what());
            return v;
        }
    }

    const bool monthly = monthlyChart(p);
    p.MaxRows = monthly ? kMonths : p.NumDays;
    v.maxRowsBox = std::to_string(p.MaxRows);
    if (monthly) {
        for (int m = 1; m <= kMonths; ++m) v.rowsItems.push_back(std::to_string(m));
    } else {
        for (int n = 5; n <= p.NumDays; ++n) v.rowsItems.push_back(std::to_string(n));
    }

    // Rows to show: all after a first read, else the box's whole number, at most MaxRows.
    int rows = p.MaxRows;
    const std::string box(rowsBox);
    if (!monthly && !fresh && !box.empty()) {
        const auto n = parseNumber(box);
        if (!n || roundHalfEven(*n) < 1) {
            v.status = "Columns to show: '" + box + "' is not a number of rows from 1 to " +
                       std::to_string(p.MaxRows);
            rows = std::clamp(p.DaysOut, std::min(1, p.MaxRows), p.MaxRows);
        } else {
            rows = int(std::min(roundHalfEven(*n), double(p.MaxRows)));
        }
    }
    p.DaysOut = rows;
    v.rowsBox = std::to_string(rows);
    v.table = inputChartTable(p);
    v.ok = true;
    if (v.status.empty()) v.status = std::string(kChartClickHint);
    return v;
}

ChartData inputChartTable(const Project& p) {
    ChartData t;
    t.names.push_back(p.ChartTitle);
    t.columns.emplace_back();
    if (monthlyChart(p)) {
        if (p.Balance.days() <= kMonths) return t;
        for (int m = 1; m <= kMonths; ++m) {
            t.labels.push_back(p.MonthLabel[std::size_t(m)]);
            t.columns[0].push_back(p.MonthlyEtref[std::size_t(m)]);
        }
        return t;
    }
    const Qty series = p.ChartSeries == 2 ? qty::ETr : qty::P;
    const int rows = tablesHoldPeriod(p) ? std::clamp(p.DaysOut, 0, p.NumDays) : 0;
    const double* values = rows > 0 ? p.Balance.series(slot::Inputs, series) : nullptr;
    t.labels.reserve(std::size_t(rows));
    for (int d = 1; d <= rows; ++d) t.labels.push_back(p.DayDate(d, 0));
    if (rows > 0) t.columns[0].assign(values + 1, values + 1 + rows);
    if (p.ChartMeas == 1) {
        t.names.emplace_back(kMeasuredSeriesLabel);
        t.columns.emplace_back();
        if (rows > 0) {
            const double* measured = p.Balance.series(slot::FirstRun, qty::Measured);
            t.columns[1].assign(measured + 1, measured + 1 + rows);
        }
    }
    return t;
}

std::string pointSelectedText(const Project& p, const ChartData& table, int column, int row) {
    if (row < 0 || row >= table.rows() || column < 1 || column > table.columnCount()) return {};
    return "Value of " + p.ChartTitle + (monthlyChart(p) ? ", for the month " : ", on ") +
           table.labels[std::size_t(row)] + " = " + generalNumberText(table.value(column, row)) +
           "    double click to change the value";
}

PointEdit editInputChartPoint(Project& p, int column, int row, std::string_view answer) {
    PointEdit e;
    if (answer.empty()) return e;
    const auto v = parseNumber(answer);
    if (!v) {
        e.kind = PointEdit::Kind::Invalid;
        e.message = std::string(kInvalidPointMessage);
        return e;
    }
    const bool monthly = monthlyChart(p);
    const int rows = monthly ? kMonths : std::min(p.DaysOut, p.NumDays);
    const int columns = !monthly && p.ChartMeas == 1 ? 2 : 1;
    if (row < 0 || row >= rows || column < 1 || column > columns || !tablesHoldPeriod(p)) return e;
    const int day = row + 1;
    if (monthly) {
        p.MonthlyEtref[std::size_t(day)] = *v;
        spreadMonthlyEtref(p);
    } else if (column == 2) {
        setMeasuredValue(p, day, *v);
    } else {
        p.Balance(slot::Inputs, day, p.ChartSeries == 2 ? qty::ETr : qty::P) = *v;
    }
    e.kind = PointEdit::Kind::Changed;
    e.value = *v;
    return e;
}

bool inputChartBack(Project& p) {
    if (monthlyChart(p) && tablesHoldPeriod(p)) spreadMonthlyEtref(p);
    p.ChartMeas = 0;
    return p.ChartFromRain == 1;
}

}  // namespace tarn
