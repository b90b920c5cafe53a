// The run summary, its JSON file and the comparison of workbooks, on the bundled example.
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <nlohmann/json.hpp>
#include <regex>
#include <sstream>

#include "compare.h"
#include "model/errors.h"
#include "model/measured_days.h"
#include "run_job.h"
#include "support/temp_dir.h"
#include "workbook/zip_archive.h"

namespace tarn {
namespace {

namespace fs = std::filesystem;

const fs::path kExample = fs::path(TARNFLOW_EXAMPLES_DIR) / "coln_bibury.xlsx";

RunJobOptions exampleJob(bool measured) {
    RunJobOptions o;
    o.workbook = kExample;
    o.measured = measured;
    return o;
}

// The value of "name": number in a JSON text, searched after `after`.
double jsonNumber(const std::string& json, const std::string& name, const std::string& after = "") {
    const auto from = json.find("\"" + after + "\"");
    std::smatch m;
    const std::string tail = json.substr(after.empty() || from == std::string::npos ? 0 : from);
    if (!std::regex_search(tail, m, std::regex("\"" + name + "\": (-?[0-9.eE+-]+)")))
        throw std::runtime_error(name + " not in " + tail.substr(0, 200));
    return std::stod(m[1]);
}

TEST(RunSummary, ExampleSummaryFileHoldsEveryFigure) {
    testing::TempDir dir;
    RunJobOptions o = exampleJob(true);
    o.summaryJson = dir / "summary.json";
    Project p;
    const RunJobReport report = runJob(p, o);
    const std::string json = readWholeFile(dir / "summary.json");
    for (const char* key : {"period", "first", "last", "days", "missing_measured_days", "fit", "nse", "kge", "r",
                            "alpha", "beta", "log_nse", "pbias", "rmse", "closure", "catchment", "A1", "A2", "A3",
                            "rain", "interception", "transpiration", "quickflow", "baseflow", "storage_change",
                            "residual", "duration", "measured", "q5", "q10", "q50", "q90", "q95", "mean_annual",
                            "rainfall", "actual_evapotranspiration", "streamflow"})
        EXPECT_NE(json.find(std::string("\"") + key + "\":"), std::string::npos) << key;
    EXPECT_EQ(json.find("\"A4\""), std::string::npos);  // only sub-areas in the catchment
    EXPECT_EQ(jsonNumber(json, "missing_measured_days"), 0);
    EXPECT_EQ(jsonNumber(json, "days", "fit"), 3653);
    for (const char* area : {"catchment", "A1", "A2", "A3"})
        EXPECT_LT(std::abs(jsonNumber(json, "residual", area)), kClosureTolerance) << area;
    // The file's figures are the summary's, to the last digit.
    const RunSummary& s = report.summary;
    EXPECT_EQ(jsonNumber(json, "nse", "fit"), *s.fitFirst->nse);
    EXPECT_EQ(jsonNumber(json, "q95", "measured"), *(*s.durationMeasured)[4]);
    EXPECT_NEAR(jsonNumber(json, "streamflow", "mean_annual"),
                (s.closure.catchment.quickflow + s.closure.catchment.baseflow) / s.years, 1e-9);
    const std::string text = formatReport(report, o);
    EXPECT_NE(text.find(fitText(*s.fitFirst)), std::string::npos) << text;
    EXPECT_EQ(text.find("Warning"), std::string::npos) << text;
}

TEST(RunSummary, FitWindowWarmUpAndUnreadMeasurements) {
    RunJobOptions o = exampleJob(true);
    o.fitFrom = "2000-01-01";
    o.warmUpDays = 10;
    Project p;
    const RunSummary s = runJob(p, o).summary;
    EXPECT_EQ(s.fitFirst->days, 3653 - 365 - 10);
    EXPECT_EQ(s.fitFrom, "2000-01-11");

    o.fitFrom = "1998-12-31";
    Project outside;
    EXPECT_THROW(runJob(outside, o), InputError);

    // Without measured streamflow there is nothing to fit: null, not a number.
    Project unread;
    const RunSummary none = runJob(unread, exampleJob(false)).summary;
    const auto json = nlohmann::ordered_json::parse(summaryJson(none));
    EXPECT_TRUE(json["fit"]["first"].is_null()) << json;
    EXPECT_TRUE(json["missing_measured_days"].is_null());
    EXPECT_TRUE(json["duration"]["measured"].is_null());
    EXPECT_TRUE(json["mean_annual"]["measured_streamflow"].is_null());
    std::vector<std::string> keys;
    for (const auto& item : json.items()) keys.push_back(item.key());
    EXPECT_EQ(keys, (std::vector<std::string>{"period", "catchment", "mean_annual", "missing_measured_days",
                                              "fit_window", "fit", "closure", "duration"}));

    // A figure that is not finite is written as null, never as a number JSON has no word for.
    RunSummary broken = none;
    broken.rainfall = std::nan("");
    broken.closure.catchment.residual = HUGE_VAL;
    const auto written = nlohmann::json::parse(summaryJson(broken));
    EXPECT_TRUE(written["mean_annual"]["rainfall"].is_null());
    EXPECT_TRUE(written["closure"]["catchment"]["residual"].is_null());
    EXPECT_EQ(written["mean_annual"]["streamflow"].get<double>(), none.modelled);  // to the last bit
}

TEST(RunSummary, MissingMeasuredDaysAreSkippedAndReported) {
    Project p;
    runJob(p, exampleJob(true));
    p.MeasMissing.assign(std::size_t(p.NumDays) + 1, 0);
    for (int d = 100; d < 200; ++d) p.MeasMissing[std::size_t(d)] = 1;
    const RunSummary s = summarizeFirstRun(p, true, wholeRecord(p));
    EXPECT_EQ(s.missingMeasuredDays, 100);
    EXPECT_EQ(s.fitFirst->days, 3553);
    EXPECT_EQ(summaryText(s).find("Measured:      C124 and 99 more days have no measured streamflow"), 0u)
        << summaryText(s);
}

std::vector<std::string> csvRows(const std::string& csv) {
    std::vector<std::string> rows;
    std::istringstream in(csv);
    for (std::string line; std::getline(in, line);) rows.push_back(line);
    return rows;
}

TEST(CompareWorkbooks, AWorkbookAgainstItselfChangesNothing) {
    const auto rows = runScenarios({kExample, kExample, kExample}, exampleJob(true), 2);
    ASSERT_EQ(rows.size(), 3u);
    const auto lines = csvRows(compareCsv(rows));
    ASSERT_EQ(lines.size(), 4u);
    EXPECT_EQ(lines[0].rfind("workbook,first,last,rainfall_mm,", 0), 0u) << lines[0];
    EXPECT_NE(lines[0].find("nse,kge"), std::string::npos);
    EXPECT_NE(lines[0].find(",A3_volume_change_1000m3"), std::string::npos);
    for (std::size_t i = 1; i < lines.size(); ++i) EXPECT_EQ(lines[i], lines[1]);
    for (const char* zero : {",0.0,0.00,", ",0.0,0.0,0.0"}) EXPECT_NE(lines[2].find(zero), std::string::npos) << lines[2];
    // The figures are those of a run of its own.
    Project p;
    const RunSummary s = runJob(p, exampleJob(true)).summary;
    EXPECT_DOUBLE_EQ(rows[1].streamflow, s.modelled);
    EXPECT_EQ(rows[1].q95, s.durationFirst[4]);
}

TEST(CompareWorkbooks, RefusesOtherPeriodsAndNamesTheFailingWorkbook) {
    const fs::path other = fs::path(TARNFLOW_TEST_DATA_DIR) / "libreoffice.xlsx";
    try {
        runScenarios({kExample, other}, exampleJob(false), 2);
        FAIL() << "different periods accepted";
    } catch (const InputError& e) {
        const std::string m = e.what();
        for (const std::string part : {other.string(), kExample.string(), std::string("2001-03-27 to 2001-04-05"),
                                       std::string("1999-01-01 to 2008-12-31")})
            EXPECT_NE(m.find(part), std::string::npos) << m;
    }
    const fs::path missing = fs::path(TARNFLOW_TEST_DATA_DIR) / "no_such.xlsx";
    try {
        runScenarios({kExample, missing}, exampleJob(false), 2);
        FAIL() << "missing workbook accepted";
    } catch (const InputError& e) {
        EXPECT_NE(std::string(e.what()).find("no_such.xlsx"), std::string::npos) << e.what();
    }
}

}  // namespace
}  // namespace tarn
