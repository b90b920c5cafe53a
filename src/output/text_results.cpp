#include "output/text_results.h"

#include <charconv>
#include <cmath>

#include "model/errors.h"
#include "workbook/atomic_file.h"

namespace tarn {

namespace {

// One line of the file, item by item.
class Line {
public:
    explicit Line(std::string& out) : out_(out) {}
    ~Line() { out_ += "\r\n"; }
    Line(const Line&) = delete;
    Line& operator=(const Line&) = delete;

    Line& text(std::string_view s) {
        sep();
        out_ += '"';
        for (char ch : s) {
            if (ch == '"') out_ += '"';
            out_ += ch;
        }
        out_ += '"';
        return *this;
    }
    Line& number(double x) {
        sep();
        if (x == 0) x = 0;  // no "-0"
        char buf[400];
        auto [ptr, ec] = std::isfinite(x) ? std::to_chars(buf, buf + sizeof buf, x, std::chars_format::fixed)
                                          : std::to_chars(buf, buf + sizeof buf, x);
        out_.append(buf, ptr);
        return *this;
    }
    Line& single(float x) {
        sep();
        if (x == 0) x = 0;
        char buf[80];
        auto [ptr, ec] = std::isfinite(x) ? std::to_chars(buf, buf + sizeof buf, x, std::chars_format::fixed)
                                          : std::to_chars(buf, buf + sizeof buf, x);
        out_.append(buf, ptr);
        return *this;
    }
    Line& variant(const Variant& v) {
        if (v.isEmpty()) return empty();
        if (auto x = v.isNumber() ? v.toNumber() : std::nullopt) return number(*x);
        return text(v.text());
    }
    Line& empty() {
        sep();
        return *this;
    }

private:
    void sep() {
        if (!first_) out_ += ',';
        first_ = false;
    }
    std::string& out_;
    bool first_ = true;
};

constexpr const char* kBlank2 = "  ";

}  // namespace

std::string textResults(const Project& p, const ProgressFn& progress) {
    std::string out;
    out.reserve(std::size_t(p.NumDays) * 400 + 65536);
    auto separator = [&] { Line(out).text(kBlank2); };
    auto separators = [&](int n) {
        for (int i = 0; i < n; ++i) separator();
    };

    // Daily series of the run.
    {
        Line header(out);
        for (const char* title : {"Date", "Rainfall", "Ref.Evap", "En.Lmt.Max.Evap", "Inter.Loss", "Transp.Top.Layer",
                                  "Transp.Whole.Pro", "Transp.Actual", "Water store Surf.Layer",
                                  "Water Store Whole pro", "Drain.Surpl", "Rech to B.Store", "B. Flow",
                                  "Disch.from B.Stotre", "Surpl.Q.Flow", "Total Disch"})
            header.text(title);
    }
    const Slot r = p.RerunFlag == 1 ? slot::LastRun : slot::FirstRun;
    for (int d = 1; d <= p.NumDays; ++d) {
        Line line(out);
        line.text(p.DayDate(d, 0));
        for (int k = 1; k <= indexOf(Qty::Measured); ++k) {
            const Qty q = quantityAt(k);
            line.number(q == Qty::P && r == slot::LastRun ? p.Balance(slot::Inputs, d, q) : p.Balance(r, d, q));
        }
        line.number(p.FlowTable(FlowColumn::CatchmentFirst, d, kCatchment))
            .number(p.FlowTable(FlowColumn::CatchmentLast, d, kCatchment));
        if (progress) progress(d, p.NumDays);
    }
    separator();

    // Monthly totals.
    separators(3);
    Line(out).text(" Monthly Totals cubm x 1000");
    separators(2);
    Line(out).text("Year").text("Month").text("First Run ").text(" Last Run ").text(" Measured ");
    separator();
    for (int i = 1; i <= p.NumMonths; ++i)
        Line(out)
            .single(p.MonYear[std::size_t(i)])
            .single(p.MonMonth[std::size_t(i)])
            .number(p.MonTotal(MonthField::FirstVolume, i))
            .number(p.MonTotal(MonthField::LastVolume, i))
            .number(p.MonTotal(MonthField::MeasuredDepth, i));

    // Annual totals: each year type with its own years.
    const YearList& water = p.AnnYearsOf[std::size_t(YearType::Water)];
    const YearList& calendar = p.AnnYearsOf[std::size_t(YearType::Calendar)];
    separators(3);
    // Titles name the unit of the numbers below them, whichever scale a screen showed.
    Line(out).text(" Annual Totals cubm x 1000");
    separator();
    Line(out).text("   ").text("Water Year").text("   ").text("    ").text(" ").text("Calender Year");
    separator();
    Line(out).text("Year").text("First Run ").text(" Last Run ").text(" Measured ").text(" ")
        .text("Year").text("First Run ").text(" Last; Run ").text(" Measured ");
    separator();
    auto annualItems = [&](Line& line, const YearList& list, int i, YearType type) {
        if (i <= list.count)
            line.single(list.years[std::size_t(i)])
                .number(p.AnnTotal(annualRow(AnnualFigure::FirstVolume, type), i))
                .number(p.AnnTotal(annualRow(AnnualFigure::LastVolume, type), i))
                .number(p.AnnTotal(annualRow(AnnualFigure::MeasuredVolume, type), i));
        else
            line.empty().empty().empty().empty();
    };
    for (int i = 1; i <= std::max(water.count, calendar.count); ++i) {
        Line line(out);
        annualItems(line, water, i, YearType::Water);
        line.text(kBlank2);
        annualItems(line, calendar, i, YearType::Calendar);
    }

    // Sub-area annual volumes, each block under its own title and with its own years.
    struct Block {
        const char* title;
        AnnualBlock block;
        const char* firstHeader;
        const YearList* years;
    };
    const Block blocks[] = {
        {" Sub area annual year flow 1000 cubm for  Water year - First run  ", annualBlock(Run::First, YearType::Water), " Year", &water},
        {" Sub area annual year flow 1000 cubm for  Water year - Last run  ", annualBlock(Run::Last, YearType::Water), " Year", &water},
        {" Sub area annual year flow 1000 cubm for Calander year - First run  ", annualBlock(Run::First, YearType::Calendar), " Year", &calendar},
        {" Sub area annual year flow 1000 cubm for Calander year - Last run  ", annualBlock(Run::Last, YearType::Calendar), " Year ", &calendar},
    };
    for (const Block& b : blocks) {
        separators(3);
        Line(out).text(b.title);
        separator();
        {
            Line header(out);
            header.text(b.firstHeader).text(" ").text("A1; ");
            for (int s = 2; s <= 9; ++s) header.text("; A" + std::to_string(s) + "; ");
            header.text("; A10; \"");
        }
        separator();
        for (int i = 1; i <= b.years->count; ++i) {
            Line line(out);
            line.single(b.years->years[std::size_t(i)]).text("      ");
            for (int s = 1; s <= kSubAreas; ++s) line.variant(p.SubAnnual(s, b.block, i));
        }
    }

    // Seven-day minima: each year type with the years its own search found.
    separators(3);
    Line(out).text(" 7 Day Minimum  cubm/day - Water Year ").text(" ").text(" ").text("  ")
        .text("7 Day Minimum - Calender year");
    separators(2);
    {
        Line header(out);
        for (const char* h : {"Time", "First Run ", "Time", "Last Run ", "Time ", " Measured", "   ", "Time",
                              "First Run ", "Time", "Last Run ", "Time ", " Measured"})
            header.text(h);
    }
    separator();
    const int waterYears = p.MinYearsOf[std::size_t(YearType::Water)];
    const int calendarYears = p.MinYearsOf[std::size_t(YearType::Calendar)];
    auto minimaItems = [&](Line& line, YearType column, int i, int years) {
        if (i <= years)
            line.text(p.MinDateFirst(column, i)).number(p.MinFlowFirst(column, i))
                .text(p.MinDateLast(column, i)).number(p.MinFlowLast(column, i))
                .text(p.MinDateMeas(column, i)).number(p.MinFlowMeas(column, i));
        else
            line.empty().empty().empty().empty().empty().empty();
    };
    for (int i = 1; i <= std::max(waterYears, calendarYears); ++i) {
        Line line(out);
        minimaItems(line, YearType::Water, i, waterYears);
        line.text("        ");
        minimaItems(line, YearType::Calendar, i, calendarYears);
    }
    return out;
}

void writeTextResults(const Project& p, const std::filesystem::path& target, const ProgressFn& progress) {
    if (!p.DataFile.empty() && sameFile(target, p.DataFile))
        throw InputError("Cannot write " + target.string() +
                         ": it is the input workbook, which is never changed; choose another name");
    writeBytesAtomically(target, textResults(p, progress));
}

}  // namespace tarn
