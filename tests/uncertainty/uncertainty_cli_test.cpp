// tarnflow uncertainty, compare --sets and sensitivity from the command line: the best
// set's figures against tarnflow run of the calibrated workbook, the files, the refusals.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <nlohmann/json.hpp>
#include <sstream>

#include "support/cli_run.h"
#include "support/temp_dir.h"
#include "workbook/zip_archive.h"

namespace tarn {
namespace {

namespace fs = std::filesystem;

using Outcome = testing::CliOutcome;
using testing::tarnflow;

std::string example(const std::string& name = "coln_bibury.xlsx") {
    return "'" + std::string(TARNFLOW_EXAMPLES_DIR) + "/" + name + "'";
}
std::string quoted(const fs::path& p) { return "'" + p.string() + "'"; }
nlohmann::json readJson(const fs::path& path) { return nlohmann::json::parse(readWholeFile(path)); }

// A calibration with its trace and calibrated workbook, once for the tests here.
class Traced : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        dir_ = new testing::TempDir;
        const Outcome c = tarnflow(*dir_, "calibrate " + example() +
                                              " --measured --param taw*=0.25:4 --param bfi=0.05:0.95 --param kc@A2=0.6:1.4"
                                              " --evaluations 400 --threads 2 --trace " + quoted(*dir_ / "trace.csv") +
                                              " --out " + quoted(*dir_ / "cal.xlsx"));
        ASSERT_EQ(c.code, 0) << c.err;
    }
    static void TearDownTestSuite() { delete dir_; }
    static fs::path trace() { return *dir_ / "trace.csv"; }
    static fs::path calibrated() { return *dir_ / "cal.xlsx"; }
    static testing::TempDir* dir_;
};
testing::TempDir* Traced::dir_ = nullptr;

TEST_F(Traced, UncertaintyBestSetIsTheCalibratedWorkbook) {
    testing::TempDir dir;
    const std::string window = " --fit-window 2001-01-01: --warm-up 30";
    const Outcome u = tarnflow(dir, "uncertainty " + example() + " --measured" + window + " --sets " + quoted(trace()) +
                                        " --behavioural 0.5 --top 200 --weights likelihood --threads 2 --bands " +
                                        quoted(dir / "b.csv") + " --report " + quoted(dir / "r.json"));
    ASSERT_EQ(u.code, 0) << u.err;
    const Outcome r = tarnflow(dir, "run " + quoted(calibrated()) + " --measured" + window + " --summary-json " +
                                        quoted(dir / "s.json"));
    ASSERT_EQ(r.code, 0) << r.err;
    const nlohmann::json report = readJson(dir / "r.json"), summary = readJson(dir / "s.json");
    const nlohmann::json& f = report["figures"];
    EXPECT_EQ(report["sets"]["behavioural"], 200);
    EXPECT_DOUBLE_EQ(f["streamflow_mm"]["best"].get<double>(), summary["mean_annual"]["streamflow"].get<double>());
    EXPECT_DOUBLE_EQ(f["actual_et_mm"]["best"].get<double>(), summary["mean_annual"]["actual_evapotranspiration"].get<double>());
    EXPECT_DOUBLE_EQ(f["q95_mm_per_day"]["best"].get<double>(), summary["duration"]["first"]["q95"].get<double>());
    EXPECT_DOUBLE_EQ(f["kge"]["best"].get<double>(), summary["fit"]["first"]["kge"].get<double>());
    EXPECT_DOUBLE_EQ(report["rainfall_mm"].get<double>(), summary["mean_annual"]["rainfall"].get<double>());
    for (const auto& [key, s] : f.items()) {
        EXPECT_LE(s["q05"].get<double>(), s["q50"].get<double>()) << key;
        EXPECT_LE(s["q50"].get<double>(), s["q95"].get<double>()) << key;
    }

    // The bands: every day, ordered, the measured streamflow beside them.
    std::ifstream bands(dir / "b.csv");
    std::string line;
    std::getline(bands, line);
    EXPECT_EQ(line, "date,q05_mm_per_day,q50_mm_per_day,q95_mm_per_day,best_mm_per_day,measured_mm_per_day");
    int days = 0;
    while (std::getline(bands, line)) {
        ++days;
        std::stringstream row(line);
        std::string date, a, b, c, best, measured;
        std::getline(row, date, ',');
        std::getline(row, a, ',');
        std::getline(row, b, ',');
        std::getline(row, c, ',');
        std::getline(row, best, ',');
        std::getline(row, measured, ',');
        ASSERT_LE(std::stod(a), std::stod(b)) << line;
        ASSERT_LE(std::stod(b), std::stod(c)) << line;
        ASSERT_FALSE(measured.empty()) << line;
        if (days == 1) EXPECT_EQ(date, "1999-01-01");
    }
    EXPECT_EQ(days, 3653);
}

std::vector<std::vector<std::string>> readCsv(const fs::path& path) {
    std::vector<std::vector<std::string>> rows;
    std::ifstream in(path);
    for (std::string line; std::getline(in, line);) {
        rows.emplace_back();
        std::stringstream fields(line);
        for (std::string f; std::getline(fields, f, ',');) rows.back().push_back(f);
    }
    return rows;
}

TEST_F(Traced, CompareWithSetsGivesEachChangeWithItsRange) {
    testing::TempDir dir;
    const std::string wood = example("coln_bibury_woodland.xlsx");
    const Outcome s = tarnflow(dir, "compare " + example() + " " + wood + " --measured --sets " + quoted(trace()) +
                                        " --behavioural 0.3 --csv " + quoted(dir / "s.csv"));
    ASSERT_EQ(s.code, 0) << s.err;
    EXPECT_NE(s.out.find("coln_bibury_woodland.xlsx\n  streamflow                   -"), std::string::npos) << s.out;
    EXPECT_NE(s.out.find(" mm ("), std::string::npos) << s.out;
    const Outcome c = tarnflow(dir, "compare " + quoted(calibrated()) + " " + wood + " --measured --csv " + quoted(dir / "c.csv"));
    ASSERT_EQ(c.code, 0) << c.err;

    // The base row of the best set is the calibrated workbook's row; quantile columns follow.
    const auto sets = readCsv(dir / "s.csv"), plain = readCsv(dir / "c.csv");
    ASSERT_EQ(sets.size(), 3u);
    ASSERT_GT(sets[0].size(), plain[0].size());
    for (std::size_t i = 1; i < plain[0].size(); ++i) {
        EXPECT_EQ(sets[0][i], plain[0][i]);
        EXPECT_EQ(sets[1][i], plain[1][i]) << plain[0][i];
    }
    for (std::size_t i = plain[0].size(); i < sets[0].size(); i += 3) {
        EXPECT_EQ(sets[0][i].substr(sets[0][i].size() - 4), "_q05");
        EXPECT_EQ(std::stod(sets[1][i]), 0.0) << sets[0][i];  // the base against itself
        EXPECT_LE(std::stod(sets[2][i]), std::stod(sets[2][i + 1])) << sets[0][i];
        EXPECT_LE(std::stod(sets[2][i + 1]), std::stod(sets[2][i + 2])) << sets[0][i];
    }
}

TEST(Sensitivity, ChangeDependsOnlyOnTheChangedSubArea) {
    // The woodland scenario changes A2 alone: A1's crop coefficient moves both workbooks alike.
    testing::TempDir dir;
    const Outcome m = tarnflow(dir, "sensitivity " + example() + " --method morris --samples 8 --param kc@A1=0.7:1.3"
                                     " --param kc@A2=0.7:1.3 --param bfi=0.05:0.95 --of change:" +
                                         example("coln_bibury_woodland.xlsx") + " --report " + quoted(dir / "m.json"));
    ASSERT_EQ(m.code, 0) << m.err;
    const nlohmann::json r = readJson(dir / "m.json");
    ASSERT_EQ(r["params"].size(), 3u);
    EXPECT_EQ(r["params"][0]["spec"], "kc@A1=0.7:1.3");
    EXPECT_LT(r["params"][0]["mu_star"].get<double>(), 1e-9);
    EXPECT_GT(r["params"][1]["mu_star"].get<double>(), 1.0);  // mm of change over the range
    EXPECT_EQ(r["runs"], 32);

    const Outcome s = tarnflow(dir, "sensitivity " + example() + " --measured --samples 256 --param kc@A1=0.7:1.3"
                                     " --param bfi=0.05:0.95 --report " + quoted(dir / "s.json"));
    ASSERT_EQ(s.code, 0) << s.err;
    const nlohmann::json sobol = readJson(dir / "s.json");
    for (const auto& p : sobol["params"]) {
        EXPECT_LE(p["first_interval"][0].get<double>(), p["first"].get<double>());
        EXPECT_GE(p["first_interval"][1].get<double>(), p["first"].get<double>());
        EXPECT_GE(p["total"].get<double>(), 0.0);
    }
    // The baseflow index carries the fit of the example far more than A1's crop coefficient.
    EXPECT_GT(sobol["params"][1]["total"].get<double>(), sobol["params"][0]["total"].get<double>());
}

TEST_F(Traced, RefusalsWriteNothing) {
    testing::TempDir dir;
    std::ofstream(dir / "other.csv") << "kc@A9=0.5:1.5,kge\n1,0.5\n";
    const std::string out = " --report " + quoted(dir / "r.json");
    const std::string sets = " --sets " + quoted(trace());
    const std::pair<std::string, std::string> cases[] = {
        {"uncertainty " + example() + sets + " --top 12" + out, "sets pass --top 12; at least 20"},
        {"uncertainty " + example() + " --sets " + quoted(dir / "other.csv") + out, "kc@A9=0.5:1.5: A9 is not a sub-area"},
        {"uncertainty " + example() + sets + " --weights many" + out, "--weights many"},
        {"uncertainty " + example() + sets + " --weights likelihood" + out, "needs the threshold --behavioural"},
        {"uncertainty " + example() + sets + " --fit-window 2001-01-01:" + out, "add --measured"},
        {"uncertainty " + example() + sets + " --report " + quoted(trace()), "--report"},
        {"compare " + example() + " " + example("coln_bibury_woodland.xlsx") + sets + " --top 5 --csv " +
             quoted(dir / "r.json"), "sets pass --top 5;"},
        {"sensitivity " + example() + " --samples 8" + out, "--of objective: the objective needs the measured"},
        {"sensitivity " + example() + " --of rain" + out, "--of rain: give objective"},
        {"sensitivity " + example() + " --of change:nowhere.xlsx" + out, "nowhere.xlsx"},
        {"sensitivity " + example() + " --measured --param taw=50:200 --param raw=40:120 --samples 8" + out,
         "within the --param bounds cannot be run"},
        {"compare " + example() + " " + example("coln_bibury_woodland.xlsx") + " --top 30 --csv " + quoted(dir / "r.json"),
         "--top: chooses among parameter sets: add --sets FILE"},
    };
    for (const auto& [args, message] : cases) {
        const Outcome o = tarnflow(dir, args);
        EXPECT_EQ(o.code, 1) << args;
        EXPECT_NE(o.err.find(message), std::string::npos) << args << "\n" << o.err;
        EXPECT_EQ(std::count(o.err.begin(), o.err.end(), '\n'), 1) << o.err;
        EXPECT_FALSE(fs::exists(dir / "r.json")) << args;
    }
    EXPECT_TRUE(fs::exists(trace()));
}

}  // namespace
}  // namespace tarn
