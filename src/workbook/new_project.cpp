#include "workbook/new_project.h"

#include <cctype>
#include <cmath>

#include "model/dates.h"
#include "model/errors.h"
#include "model/project.h"
#include "model/variant.h"
#include "workbook/atomic_file.h"

namespace tarn {

namespace {

namespace fs = std::filesystem;

std::string listText(const std::vector<int>& values) {
    std::string s;
    for (int v : values) s += (s.empty() ? "" : ", ") + std::to_string(v);
    return s;
}

std::string numberText(double x) { return generalNumberText(x); }

// The class of each sub-area from a list of one (for all) or one per sub-area.
std::vector<int> classesPerSubArea(const std::vector<int>& given, int fallback, std::size_t subAreas,
                                   const char* what, const std::array<const char*, 5>& names) {
    if (given.empty()) return std::vector<int>(subAreas, fallback);
    if (given.size() != 1 && given.size() != subAreas)
        throw InputError(std::string("The ") + what + " classes " + listText(given) + " are " +
                         std::to_string(given.size()) + " for " + std::to_string(subAreas) +
                         (subAreas == 1 ? " sub-area" : " sub-areas") +
                         "; give one class for all or one for each sub-area");
    for (std::size_t i = 0; i < given.size(); ++i)
        if (given[i] < 1 || given[i] > 5)
            throw InputError((given.size() == 1 ? std::string("Every sub-area") : "A" + std::to_string(i + 1)) +
                             ": " + what + " class " + std::to_string(given[i]) + " is not one of 1 (" + names[0] +
                             ") to 5 (" + names[4] + ")");
    return given.size() == 1 ? std::vector<int>(subAreas, given[0]) : given;
}

void checkOptions(const NewProjectOptions& o) {
    if (!std::isfinite(o.area) || o.area <= 0)
        throw InputError("The total catchment area must be above 0 ha, not " + numberText(o.area));
    if (o.shares.empty() || int(o.shares.size()) > kSubAreas)
        throw InputError("A project has 1 to " + std::to_string(kSubAreas) + " sub-areas; " +
                         std::to_string(o.shares.size()) + " shares were given");
    int sum = 0;
    for (std::size_t i = 0; i < o.shares.size(); ++i) {
        if (o.shares[i] < 1 || o.shares[i] > 100)
            throw InputError("A" + std::to_string(i + 1) + ": the share " + std::to_string(o.shares[i]) +
                             " % is not a whole number from 1 to 100");
        sum += o.shares[i];
    }
    if (sum != 100)
        throw InputError("The sub-area shares " + listText(o.shares) + " add up to " + std::to_string(sum) +
                         " %; they must add up to 100");
    if (o.bfi && !(*o.bfi >= 0 && *o.bfi <= 1))
        throw InputError("The baseflow index must lie from 0 to 1, not " + numberText(*o.bfi));
    if (o.recession && !(*o.recession >= 0 && *o.recession < 1))
        throw InputError("The recession coefficient must lie from 0 up to (not including) 1, not " +
                         numberText(*o.recession));
}

// The mean measured streamflow of the measured days among the first kInitialBaseflowDays days.
std::optional<double> startingStreamflow(const DailyRecord& record) {
    double sum = 0;
    int n = 0;
    for (std::size_t d = 0; d < record.days.size() && d < std::size_t(kInitialBaseflowDays); ++d)
        if (record.days[d].flow) {
            sum += *record.days[d].flow;
            ++n;
        }
    if (n == 0) return std::nullopt;
    return sum / n;
}

std::string lowered(std::string s) {
    for (char& c : s) c = char(std::tolower(static_cast<unsigned char>(c)));
    return s;
}

}  // namespace

double initialBaseflowStore(const DailyRecord& record, double bfi, double recession) {
    const auto q = startingStreamflow(record);
    if (!q || recession >= 1) return 0;
    return std::round(bfi * *q / (1 - recession) * 10) / 10;
}

ProjectSheet newProjectSheet(const NewProjectOptions& o, const DailyRecord& record) {
    checkOptions(o);
    if (record.days.empty()) throw InputError(o.series.string() + ": no daily values");
    const std::size_t n = o.shares.size();
    const auto soilClass = classesPerSubArea(o.soil, kDefaultSoilClass, n, "soil", kSoilClassNames);
    const auto vegetationClass =
        classesPerSubArea(o.vegetation, kDefaultVegetationClass, n, "vegetation", kVegetationClassNames);

    ProjectSheet sheet;
    sheet.name = o.name.empty() ? o.series.stem().string() : o.name;
    sheet.totalArea = o.area;
    sheet.soil = defaultSoilClasses();
    sheet.vegetation = defaultVegetationClasses();
    sheet.bfi = o.bfi.value_or(sheet.soil.bfi);
    sheet.recession = o.recession.value_or(sheet.soil.recession);
    const double baseflow = initialBaseflowStore(record, sheet.bfi, sheet.recession);

    for (std::size_t i = 0; i < n; ++i) {
        const auto soil = std::size_t(soilClass[i] - 1);
        const auto vegetation = std::size_t(vegetationClass[i] - 1);
        const auto& st = sheet.soil.values;
        const auto& vt = sheet.vegetation.values;
        SubAreaSheetColumn column;
        column.name = "A" + std::to_string(i + 1) + ": " + kSoilClassNames[soil] + ", " +
                      kVegetationClassNames[vegetation];
        column.values = {double(o.shares[i]), 100, st[0][soil], st[1][soil], st[2][soil], vt[0][vegetation],
                         vt[1][vegetation], st[2][soil], st[0][soil], baseflow};
        sheet.subAreas.push_back(column);
    }

    // The notes say where every value came from.
    const DailyValues& first = record.days.front();
    const DailyValues& last = record.days.back();
    std::string source = "Daily series from " + o.series.filename().string() + ": " +
                         std::to_string(record.days.size()) + " days from " + dateText(dateFromDays(first.date)) +
                         " to " + dateText(dateFromDays(last.date)) + "; ";
    source += record.measuredDays
                  ? "measured streamflow on " + std::to_string(record.measuredDays) +
                        " of them (an empty cell of column C is a day without a measurement)."
                  : "no measured streamflow (column C is empty).";
    sheet.notes.push_back(source);
    sheet.notes.push_back(
        "Sub-areas (columns F onwards, named in row 4): TAW, RAW and toplayer store of the chosen soil class "
        "(P5:T7), interception fraction and crop coefficient of the chosen vegetation class (V5:Z6), rainfall "
        "factor 100 %.");

    std::string initial =
        "Initial conditions (rows 12 to 14): the toplayer and the whole profile start full (the toplayer store "
        "and TAW), as at the end of a wet season; ";
    if (const auto q = startingStreamflow(record))
        initial += "the baseflow store starts at BFI x Q / (1 - K) = " + numberText(baseflow) + " mm, Q = " +
                   numberText(std::round(*q * 100) / 100) + " mm/day being the mean measured streamflow of the first " +
                   std::to_string(kInitialBaseflowDays) +
                   " days, so that the first day's baseflow is the BFI share of that streamflow. ";
    else
        initial += "the baseflow store starts empty (no measured streamflow in the first " +
                   std::to_string(kInitialBaseflowDays) + " days). ";
    initial += "Where the record does not begin in a wet season, count its first year as a warm-up.";
    sheet.notes.push_back(initial);

    const bool ownBaseflow = o.bfi || o.recession;
    sheet.notes.push_back(
        "Baseflow (F17, F18): baseflow index " + numberText(sheet.bfi) + " and recession coefficient " +
        numberText(sheet.recession) + " per day" +
        (ownBaseflow ? " as given; the class table's defaults stand in X17 and X18. "
                     : ". ") +
        "Eckhardt (2005) suggests a baseflow index of 0.80 for perennial streams on porous aquifers, 0.50 for "
        "ephemeral streams on porous aquifers and 0.25 for perennial streams on hard rock; 0.98 is a common "
        "daily recession constant, and a recession analysis of the measured low flows gives the catchment's own.");
    return sheet;
}

NewProjectReport createNewProject(const NewProjectOptions& o) {
    const fs::path& target = o.target;
    if (sameFile(target, o.series))
        throw InputError(target.string() + " is the CSV file of daily series, which is never changed; choose "
                         "another name");
    if (lowered(target.extension().string()) != ".xlsx")
        throw InputError(target.string() + ": a new project workbook is an .xlsx file; give a name ending in .xlsx");
    std::error_code ec;
    if (fs::is_directory(target, ec)) throw InputError(target.string() + " is a folder");
    if (fs::exists(fs::symlink_status(target, ec)) && !o.replace)
        throw InputError(target.string() + " already exists; choose another name, or replace it with --force");
    checkOptions(o);

    const DailyRecord record = readDailyCsv(o.series);
    const ProjectSheet sheet = newProjectSheet(o, record);
    writeProjectWorkbook(sheet, record, target);

    NewProjectReport report;
    report.target = target;
    report.days = int(record.days.size());
    report.first = dateText(dateFromDays(record.days.front().date));
    report.last = dateText(dateFromDays(record.days.back().date));
    report.subAreas = int(sheet.subAreas.size());
    report.measuredDays = record.measuredDays;
    return report;
}

}  // namespace tarn
