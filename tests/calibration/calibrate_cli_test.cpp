// tarnflow calibrate: the calibrated workbook reproduces the objective through tarnflow run,
// the files it writes, and its refusals.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <nlohmann/json.hpp>

#include "support/cli_run.h"
#include "support/temp_dir.h"
#include "workbook/workbook.h"
#include "workbook/zip_archive.h"

namespace tarn {
namespace {

namespace fs = std::filesystem;

using Outcome = testing::CliOutcome;
using testing::tarnflow;

std::string example() { return std::string(TARNFLOW_EXAMPLES_DIR) + "/coln_bibury.xlsx"; }

nlohmann::json readJson(const fs::path& path) { return nlohmann::json::parse(readWholeFile(path)); }

TEST(Calibrate, CalibratedWorkbookReproducesTheFitThroughRun) {
    testing::TempDir dir;
    const std::string window = " --fit-window 1999-01-01:2001-12-31 --warm-up 90";
    const Outcome c = tarnflow(dir, "calibrate '" + example() + "' --measured" + window +
                                        " --param 'taw@A2=60:300' --param bfi=0.05:0.95 --param 'kc*=0.7:1.3'"
                                        " --evaluations 320 --out '" + (dir / "cal.xlsx").string() + "' --report '" +
                                        (dir / "r.json").string() + "' --trace '" + (dir / "t.csv").string() + "'");
    ASSERT_EQ(c.code, 0) << c.err;
    const nlohmann::json report = readJson(dir / "r.json");
    const Outcome r = tarnflow(dir, "run '" + (dir / "cal.xlsx").string() + "' --measured" + window +
                                        " --summary-json '" + (dir / "s.json").string() + "'");
    ASSERT_EQ(r.code, 0) << r.err;
    const nlohmann::json summary = readJson(dir / "s.json");
    EXPECT_EQ(report["fit"]["calibration"], summary["fit"]["first"]);
    EXPECT_EQ(report["objective"]["value"], summary["fit"]["first"]["kge"]);
    EXPECT_EQ(report["evaluations"], 320);

    // Only the calibrated cells differ from the input: TAW of A2, Kc of every sub-area, F17.
    auto in = openWorkbook(example());
    auto out = openWorkbook(dir / "cal.xlsx");
    for (int row = 1; row <= 24; ++row)
        for (int col = 1; col <= 40; ++col) {
            const bool calibrated = (row == 7 && col == 7) || (row == 11 && col >= 6 && col <= 8) || (row == 17 && col == 6);
            if (!calibrated) ASSERT_EQ(in->cell(row, col).displayText(), out->cell(row, col).displayText()) << row << "," << col;
        }
    EXPECT_EQ(std::stod(out->cell(7, 7).displayText()), report["sub_areas"]["A2"]["taw"].get<double>());
    EXPECT_NE(in->cell(11, 6).displayText(), out->cell(11, 6).displayText());

    // The trace: a header with the RANGEs, one row per evaluation.
    std::ifstream trace(dir / "t.csv");
    std::string header;
    std::getline(trace, header);
    EXPECT_EQ(header, "evaluation,taw@A2=60:300,bfi=0.05:0.95,kc*=0.7:1.3,kge,best");
    int rows = 0;
    for (std::string line; std::getline(trace, line);) ++rows;
    EXPECT_EQ(rows, 320);
}

TEST(Calibrate, RefusesBeforeTheSearchAndWritesNothing) {
    testing::TempDir dir;
    const std::string out = " --out '" + (dir / "cal.xlsx").string() + "' --evaluations 100";
    const std::pair<std::string, std::string> cases[] = {
        {"calibrate '" + example() + "'" + out, "add --measured"},
        {"calibrate '" + example() + "' --measured --param kc@A4=0.5:1" + out, "--param kc@A4=0.5:1: A4 is not a sub-area"},
        {"calibrate '" + example() + "' --measured --pareto '" + (dir / "p.csv").string() + "'" + out, "--pareto"},
        {"calibrate '" + example() + "' --measured --objective kge,kge" + out, "--objective kge,kge"},
        {"calibrate '" + example() + "' --measured --out '" + example() + "'", "--out"},
        {"calibrate '" + example() + "' --measured --fit-window 2009-01-01:2010-01-01" + out, "2009-01-01"},
        {"calibrate '" + example() + "' --measured --fit-window 2008-12-01:2008-12-31 --warm-up 40" + out,
         "no day of the window has a measured streamflow"},
        {"calibrate '" + example() + "' --measured --algorithm nelder" + out, "--algorithm nelder"},
    };
    for (const auto& [args, message] : cases) {
        const Outcome o = tarnflow(dir, args);
        EXPECT_EQ(o.code, 1) << args;
        EXPECT_NE(o.err.find(message), std::string::npos) << args << "\n" << o.err;
        EXPECT_EQ(std::count(o.err.begin(), o.err.end(), '\n'), 1) << o.err;
        EXPECT_FALSE(fs::exists(dir / "cal.xlsx")) << args;
    }
}

}  // namespace
}  // namespace tarn
