#include "output/saved_workbook.h"

#include <algorithm>

#include "model/cell_address.h"
#include "model/dates.h"
#include "model/errors.h"
#include "workbook/atomic_file.h"
#include "workbook/input_workbook.h"
#include "workbook/workbook.h"

namespace tarn {

namespace {

// A value as a spreadsheet takes it when typed: texts that are numbers become numbers.
Variant asTyped(const Variant& v) {
    if (const std::string* text = v.textPtr())
        if (auto x = parseNumber(*text)) return *x;
    return v;
}

int col(std::string_view letters) { return *columnNumber(letters); }

}  // namespace

std::string savedDateText(const std::string& isoDate) {
    auto date = parseDateText(isoDate);
    if (!date) return isoDate;
    return std::to_string(int(date->year())) + "/" + std::to_string(unsigned(date->month())) + "/" +
           std::to_string(unsigned(date->day()));
}

SavedWorkbook saveResultsWorkbook(const Project& p, const std::filesystem::path& target, bool excelMode,
                                  const ProgressFn& progress) {
    if (sameFile(target, p.DataFile))
        throw InputError("Cannot write " + target.string() +
                         ": it is the input workbook, which is never changed; choose another name");
    auto book = openWorkbook(p.DataFile);
    Workbook& w = *book;

    // Project header and parameters.
    w.write("F1", p.PrjName);
    w.write("F2", p.OperName);
    w.write("H2", p.TimeNow);
    w.write("F3", asTyped(p.TotalArea));
    for (int row = 5; row <= 14; ++row)
        for (int s = 1; s <= kSubAreas; ++s)
            w.write(row, col("F") + s - 1, asTyped(p.SubPara(s - 1, paramAfter(Param::Area, row - 5))));
    // Rows 5 and 6 hold the shares and rainfall factors the run used, where they differ from
    // the values read from the file, so that the copy reopened runs the same project.
    for (int s = 1; s <= kSubAreas; ++s) {
        const int c = col("F") + s - 1;
        const auto i = std::size_t(s);
        if (p.SubPara(s - 1, para::Area).numberOr0() != double(p.SubAreaPct[i])) w.write(5, c, double(p.SubAreaPct[i]));
        if (p.SubPara(s - 1, para::RainScale).numberOr0() != p.RainFactor[i].numberOr0())
            w.write(6, c, asTyped(p.RainFactor[i]));
    }

    // Monthly totals from row 6.
    for (int i = 1; i <= p.NumMonths; ++i) {
        const int row = 5 + i;
        w.write(row, col("AF"), double(p.MonYear[std::size_t(i)]));
        w.write(row, col("AG"), double(p.MonMonth[std::size_t(i)]));
        w.write(row, col("AH"), p.MonTotal(MonthField::FirstVolume, i));
        w.write(row, col("AI"), p.MonTotal(MonthField::LastVolume, i));
        w.write(row, col("AJ"), p.MonTotal(MonthField::MeasuredDepth, i));
    }

    // Annual totals: each year type with its own years; the shorter side's cells are cleared.
    const YearList& water = p.AnnYearsOf[std::size_t(YearType::Water)];
    const YearList& calendar = p.AnnYearsOf[std::size_t(YearType::Calendar)];
    auto annual = [&](int row, const YearList& list, int i, const char* first, YearType type) {
        const int c = col(first);
        const bool has = i <= list.count;
        w.write(row, c, has ? Variant(double(list.years[std::size_t(i)])) : Variant());
        const AnnualFigure figures[] = {AnnualFigure::FirstVolume, AnnualFigure::LastVolume, AnnualFigure::MeasuredVolume};
        for (int k = 0; k < 3; ++k)
            w.write(row, c + 1 + k, has ? Variant(p.AnnTotal(annualRow(figures[k], type), i)) : Variant());
    };
    for (int i = 1; i <= std::max(water.count, calendar.count); ++i) {
        annual(5 + i, water, i, "AM", YearType::Water);
        annual(5 + i, calendar, i, "AR", YearType::Calendar);
    }

    // Seven-day minima: calendar years in BF..BK, water years in AY..BD.
    const int waterYears = p.MinYearsOf[std::size_t(YearType::Water)];
    const int calendarYears = p.MinYearsOf[std::size_t(YearType::Calendar)];
    auto minima = [&](int row, YearType column, int i, int years, const char* first) {
        const int c = col(first);
        const bool has = i <= years;
        w.write(row, c, has ? Variant(p.MinDateFirst(column, i)) : Variant());
        w.write(row, c + 1, has ? Variant(p.MinFlowFirst(column, i)) : Variant());
        w.write(row, c + 2, has ? Variant(p.MinDateLast(column, i)) : Variant());
        w.write(row, c + 3, has ? Variant(p.MinFlowLast(column, i)) : Variant());
        w.write(row, c + 4, has ? Variant(p.MinDateMeas(column, i)) : Variant());
        w.write(row, c + 5, has ? Variant(p.MinFlowMeas(column, i)) : Variant());
    };
    for (int i = 1; i <= std::max(waterYears, calendarYears); ++i) {
        minima(5 + i, YearType::Calendar, i, calendarYears, "BF");
        minima(5 + i, YearType::Water, i, waterYears, "AY");
    }

    // A workbook that already holds results (an earlier copy opened as the input) keeps
    // none of them where this save writes nothing: the table rows below those written.
    // From the first day row on, the testing-only reference columns (AY, AZ, BA, BE, BF and
    // BM..CG) hold the workbook's own input: they are never emptied.
    const int lastRow = w.lastUsedRow();
    const int referenceColumns[] = {col("AY"), col("AZ"), col("BA"), col("BE"), col("BF")};
    auto isReference = [&](int row, int c) {
        return row >= kFirstDayRow && (std::find(std::begin(referenceColumns), std::end(referenceColumns), c) !=
                                           std::end(referenceColumns) ||
                                       (c >= col("BM") && c <= col("CG")));
    };
    auto clearBelow = [&](int firstRow, const char* from, const char* to) {
        for (int row = std::max(firstRow, 6); row <= lastRow; ++row)
            for (int c = col(from); c <= col(to); ++c)
                if (!isReference(row, c)) w.clear(row, c);
    };
    clearBelow(6 + p.NumMonths, "AF", "AJ");
    const int annualRows = std::max(water.count, calendar.count);
    clearBelow(6 + annualRows, "AM", "AP");
    clearBelow(6 + annualRows, "AR", "AU");
    const int minimaRows = std::max(waterYears, calendarYears);
    clearBelow(6 + minimaRows, "AY", "BD");
    clearBelow(6 + minimaRows, "BF", "BK");

    w.write("F18", asTyped(p.SubPara(0, para::K)));
    w.write("F17", asTyped(p.SubPara(0, para::BFI)));

    // Daily input series, or in the Excel mode the daily results of the run.
    const bool rerun = p.RerunFlag == 1;
    for (int d = 1; d <= p.NumDays; ++d) {
        const int row = kFirstDayRow + d - 1;
        w.write(row, col("D"), savedDateText(p.DayDate(d, 0)));
        if (!excelMode) {
            w.write(row, col("E"), rerun ? p.Balance(slot::Inputs, d, qty::P) : p.Balance(slot::FirstRun, d, qty::P));
            w.write(row, col("F"), rerun ? p.Balance(slot::LastRun, d, qty::ETr) : p.Balance(slot::FirstRun, d, qty::ETr));
            continue;
        }
        if (rerun) {
            w.write(row, col("E"), p.Balance(slot::Inputs, d, qty::P));
            for (int k = indexOf(Qty::ETr); k <= indexOf(Qty::QF); ++k)
                w.write(row, col("F") + k - 2, p.Balance(slot::LastRun, d, quantityAt(k)));
            w.write(row, col("S"), p.Balance(slot::FirstRun, d, qty::Q));
            w.write(row, col("T"), p.Balance(slot::FirstRun, d, qty::Measured));
        } else {
            for (int k = indexOf(Qty::P); k <= indexOf(Qty::Measured); ++k)
                w.write(row, col("E") + k - 1, p.Balance(slot::FirstRun, d, quantityAt(k)));
        }
        w.write(row, col("U"), p.Balance(slot::LastRun, d, qty::Q));
        const FlowColumn volumes = subAreaVolumes(rerun ? Run::Last : Run::First);
        for (int s = 1; s <= kSubAreas; ++s) w.write(row, col("V") + s - 1, p.FlowTable(volumes, d, s));
        if (progress) progress(d, p.NumDays);
    }
    if (!excelMode && progress) progress(p.NumDays, p.NumDays);
    // The daily result columns: in the text mode none are written, in the Excel mode none
    // below the record.
    for (int row = excelMode ? kFirstDayRow + p.NumDays : kFirstDayRow; row <= lastRow; ++row)
        for (int c = col("G"); c <= col("AE"); ++c) w.clear(row, c);

    const Workbook::SaveResult result = w.saveAs(target);
    return {result.path, result.note};
}

}  // namespace tarn
