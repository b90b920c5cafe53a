#include "workbook/input_workbook.h"

#include "model/cell_address.h"
#include "model/dates.h"
#include "model/errors.h"
#include "model/measured_days.h"
#include "model/message_text.h"
#include "model/plausible.h"

#include <algorithm>
#include <array>
#include <vector>

namespace tarn {

namespace {

int col(std::string_view letters) { return *columnNumber(letters); }

std::string address(std::string_view column, int row) { return cellAddress(column, row); }

// A value as the project keeps what it reads: numbers in their general text form.
Variant generalValue(const Cell& cell) {
    if (cell.empty()) return {};
    return cell.displayText();
}

}  // namespace

std::string subAreaColumn(int s) { return columnLetters(col("F") + s - 1); }

void readHeader(const Workbook& book, Project& p) {
    p.PrjName = book.text("F1");
    p.OperName = book.text("F2");
    p.LastRun = book.text("H2");
    p.TotalArea = book.text("F3");
    for (int row = 0; row <= 1; ++row)
        for (int c = 1; c <= kSubAreas; ++c)
            p.AreaInit(c, row) = book.cell(5 + row, col("F") + c - 1).toVariant();
}

namespace {

double numberOf(const Cell& cell, int row, std::string_view column) {
    if (auto x = cell.toNumber()) return *x;
    throw InputError(address(column, row) + ": " + quotedText(cell.displayText()) + " is not a number");
}

// A daily depth (mm) of a cell: a number, refused naming the cell unless plausible.
double depthOf(const Cell& cell, int row, std::string_view column, std::string_view what, bool negativeAllowed) {
    const double x = numberOf(cell, row, column);
    if (!plausibleDailyDepth(x, negativeAllowed))
        throw InputError(address(column, row) + ": " + implausibleDailyText(what, printableText(cell.displayText())));
    return x;
}

// The series a column of daily depths holds, as messages name it; empty for other columns.
std::string_view seriesOfColumn(std::string_view column) {
    if (column == "C") return "measured streamflow";
    if (column == "E") return "rainfall";
    if (column == "F" || column == "AD") return "reference evapotranspiration";
    return {};
}

double depthOfCell(const Workbook& book, int row, std::string_view column) {
    const Cell cell = book.cell(row, col(column));
    const std::string_view what = seriesOfColumn(column);
    return what.empty() ? numberOf(cell, row, column) : depthOf(cell, row, column, what, column == "C");
}

// A cell that holds no value: empty, or a text of blanks only.
bool blankCell(const Cell& cell) {
    return cell.empty() || (cell.type == Cell::Type::Text && cell.text.find_first_not_of(" \t") == std::string::npos);
}

// The measured streamflow of a row; a blank cell is a missing day and reads as 0.
double measuredOfRow(const Workbook& book, int row, unsigned char& missing) {
    const Cell cell = book.cell(row, col("C"));
    missing = blankCell(cell) ? 1 : 0;
    return missing ? 0.0 : depthOf(cell, row, "C", "measured streamflow", true);
}

}  // namespace

double numberOfCell(const Workbook& book, int row, std::string_view column) {
    return numberOf(book.cell(row, col(column)), row, column);
}

void loadParametersFromDataFile(const Workbook& book, Project& p) {
    // Read everything first, so a bad cell leaves the project as it was.
    Grid<double> soil(5, 5);
    for (int parameter = 0; parameter <= 2; ++parameter)
        for (int c = 0; c < 5; ++c)
            soil(c, parameter) = numberOfCell(book, 5 + parameter, columnLetters(col("P") + c));
    const double soilBfi = numberOfCell(book, 17, "X");
    const double soilK = numberOfCell(book, 18, "X");
    for (int c = 0; c < 5; ++c) {
        soil(c, 3) = soilBfi;
        soil(c, 4) = soilK;
    }
    // Rows 5..14: the share, the rainfall factor and the parameters TAW..B0 of each sub-area.
    for (int row = 5; row <= 14; ++row)
        for (int s = 1; s <= kSubAreas; ++s)
            p.SubPara(s - 1, paramAfter(Param::Area, row - 5)) = generalValue(book.cell(row, col("F") + s - 1));
    p.SoilData = soil;
    for (int parameter = 0; parameter <= 1; ++parameter)
        for (int c = 0; c < 5; ++c)
            p.VegeData(c, parameter) = book.cell(5 + parameter, col("V") + c).toVariant();
    const Variant bfi = generalValue(book.cell(17, col("F")));
    const Variant k = generalValue(book.cell(18, col("F")));
    for (int s = 0; s < kSubAreas; ++s) {
        p.SubPara(s, para::BFI) = bfi;
        p.SubPara(s, para::K) = k;
    }
}

int countDays(const Workbook& book, std::string_view column) {
    const int c = col(column);
    int n = 0;
    while (!book.cell(kFirstDayRow + n, c).displayText().empty()) {
        ++n;
        if (n > kMaxDays)
            throw InputError("Column " + std::string(column) + " holds more than " +
                             std::to_string(kMaxDays) + " days from row " +
                             std::to_string(kFirstDayRow) + "; at most " + std::to_string(kMaxDays) +
                             " days can be run");
    }
    return n;
}

std::string dateOfCell(const Workbook& book, int row, std::string_view column) {
    const Cell cell = book.cell(row, col(column));
    std::optional<std::string> text;
    switch (cell.type) {
        case Cell::Type::Date: text = cell.text; break;
        case Cell::Type::Number: text = dateTextOfSerial(cell.number, book.date1904()); break;
        case Cell::Type::Text:
            if (auto date = parseDateText(cell.text)) text = dateText(*date);
            break;
        default: break;
    }
    if (!text) throw InputError(address(column, row) + ": " + quotedText(cell.displayText()) + " is not a date");
    return *text;
}

namespace {

// Reads the date of day d (row 24 + d of `column`) into dates[d]. It must be the day after
// dates[d - 1], whose day number `previous` holds; `previous` becomes day d's.
void readConsecutiveDate(const Workbook& book, int d, std::string_view column, std::vector<std::string>& dates,
                         int& previous) {
    const auto i = std::size_t(d);
    const int row = kFirstDayRow + d - 1;
    dates[i] = dateOfCell(book, row, column);
    const int day = daysSinceEpoch(*parseDateText(dates[i]));
    if (d > 1 && day != previous + 1)
        throw InputError(address(column, row) + ": " + dates[i] + " does not follow " + dates[i - 1] + " of " +
                         address(column, row - 1) + "; the dates must be consecutive days");
    previous = day;
}

}  // namespace

void loadDailySeries(const Workbook& book, Project& p, const SeriesRequest& request) {
    const int n = countDays(book, "D");
    if (n == 0)
        throw InputError("D25: there are no dates from row 25 down in column D");
    if (request.rain) checkSeriesEndsWithDates(book, n, "D", "E", "the rainfall");

    // Read everything first, so that a bad cell leaves the project as it was.
    std::vector<std::string> dates(std::size_t(n) + 1);
    std::vector<double> rain, measured, etref;
    std::vector<unsigned char> missing;
    if (request.rain) rain.assign(std::size_t(n) + 1, 0.0);
    if (request.measured) {
        measured.assign(std::size_t(n) + 1, 0.0);
        missing.assign(std::size_t(n) + 1, 0);
    }
    if (request.etref == EtrefInput::Daily) etref.assign(std::size_t(n) + 1, 0.0);
    int previous = 0;
    for (int d = 1; d <= n; ++d) {
        const auto i = std::size_t(d);
        const int row = kFirstDayRow + d - 1;
        readConsecutiveDate(book, d, "D", dates, previous);
        if (request.rain) rain[i] = depthOfCell(book, row, "E");
        if (request.measured) measured[i] = measuredOfRow(book, row, missing[i]);
        if (request.etref == EtrefInput::Daily) etref[i] = depthOfCell(book, row, "F");
    }
    MonthlyTable monthly;
    if (request.etref == EtrefInput::Monthly) monthly = readMonthlyTable(book, "AD");

    p.resizeDays(n);
    for (int d = 1; d <= n; ++d) {
        const auto i = std::size_t(d);
        p.DayDate(d, 0) = std::move(dates[i]);
        if (request.rain) p.Balance(slot::Inputs, d, qty::P) = rain[i];
        if (request.measured) p.Balance(slot::FirstRun, d, qty::Measured) = measured[i];
        if (request.etref == EtrefInput::Daily) p.Balance(slot::Inputs, d, qty::ETr) = etref[i];
    }
    if (request.measured) setMeasuredDays(p, std::move(missing));
    if (request.etref == EtrefInput::Monthly) {
        for (int m = 1; m <= 12; ++m) p.MonthlyEtref[std::size_t(m)] = monthly.values[std::size_t(m)];
        p.MonthLabel = monthly.labels;
        p.EtrefMonthly = 1;
    } else if (request.etref == EtrefInput::Daily) {
        p.EtrefMonthly = 0;
    }
    p.DaysOut = n;
}

void spreadMonthlyEtref(Project& p) {
    for (int d = 1; d <= p.NumDays; ++d) {
        auto date = parseDateText(p.DayDate(d, 0));
        if (!date) throw InputError("Day " + std::to_string(d) + ": '" + p.DayDate(d, 0) + "' is not a date");
        p.Balance(slot::Inputs, d, qty::ETr) = p.MonthlyEtref[unsigned(date->month())];
    }
}

std::vector<std::string> readDayDates(const Workbook& book, int days, std::string_view column) {
    std::vector<std::string> dates(std::size_t(std::max(days, 0)) + 1);
    int previous = 0;
    for (int d = 1; d <= days; ++d) readConsecutiveDate(book, d, column, dates, previous);
    return dates;
}

std::vector<double> readDayNumbers(const Workbook& book, int days, std::string_view column) {
    std::vector<double> values(std::size_t(std::max(days, 0)) + 1, 0.0);
    for (int d = 1; d <= days; ++d)
        values[std::size_t(d)] = depthOfCell(book, kFirstDayRow + d - 1, column);
    return values;
}

MeasuredRead readMeasuredStreamflow(const Workbook& book, int days) {
    MeasuredRead r;
    r.values.assign(std::size_t(std::max(days, 0)) + 1, 0.0);
    r.missing.assign(r.values.size(), 0);
    for (int d = 1; d <= days; ++d)
        r.values[std::size_t(d)] = measuredOfRow(book, kFirstDayRow + d - 1, r.missing[std::size_t(d)]);
    return r;
}

void checkSeriesEndsWithDates(const Workbook& book, int days, std::string_view dateColumn,
                              std::string_view column, std::string_view what) {
    const int row = kFirstDayRow + days;
    const Cell cell = book.cell(row, col(column));
    if (cell.empty()) return;
    const std::string series(what);
    throw InputError(address(dateColumn, row) + " is empty while " + address(column, row) + " holds " + series +
                     " " + quotedText(cell.displayText()) + "; the dates must go on as long as " + series + " does");
}

MonthlyTable readMonthlyTable(const Workbook& book, std::string_view column) {
    MonthlyTable t;
    for (int m = 1; m <= 12; ++m) {
        t.values[std::size_t(m)] = depthOfCell(book, 4 + m, column);
        t.labels[std::size_t(m)] = book.text(address("AC", 4 + m));
    }
    return t;
}

}  // namespace tarn
