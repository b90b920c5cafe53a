// The command line: exit codes, messages that name the file and the cell or sub-area, and
// the files of a whole run.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <functional>
#include <fstream>
#include <regex>

#include "support/cli_run.h"
#include "support/temp_dir.h"
#include "workbook/workbook.h"
#include "workbook/xlsx_builder.h"
#include "workbook/zip_archive.h"

namespace tarn {
namespace {

namespace fs = std::filesystem;

using Outcome = testing::CliOutcome;
using testing::tarnflow;

std::string example() { return std::string(TARNFLOW_EXAMPLES_DIR) + "/coln_bibury.xlsx"; }

int lineCount(const std::string& s) { return int(std::count(s.begin(), s.end(), '\n')); }

TEST(CommandLine, WholeRunWritesBothFilesAndSummarises) {
    testing::TempDir dir;
    const Outcome o = tarnflow(dir, "run '" + example() + "' --measured --text-out '" + (dir / "r.csv").string() +
                                        "' --workbook-out '" + (dir / "r.xlsx").string() + "'");
    ASSERT_EQ(o.code, 0) << o.err;
    EXPECT_EQ(o.err, "");
    EXPECT_NE(o.out.find("1999-01-01 to 2008-12-31 (3653 days"), std::string::npos) << o.out;
    EXPECT_NE(o.out.find("10697 ha in 3 sub-areas"), std::string::npos) << o.out;
    EXPECT_NE(o.out.find("measured streamflow 473 mm"), std::string::npos) << o.out;
    EXPECT_NE(o.out.find((dir / "r.csv").string()), std::string::npos);
    EXPECT_TRUE(fs::exists(dir / "r.csv"));
    auto copy = openWorkbook(dir / "r.xlsx");
    EXPECT_EQ(copy->text("D25"), "1999/1/1");
    // The save time in the form of the project details clock: no leading zeros.
    EXPECT_TRUE(std::regex_match(copy->text("H2"), std::regex(R"([1-9]\d? / [1-9]\d? / \d{4}   \d{1,2}:\d{1,2}:\d{1,2})")))
        << copy->text("H2");
}

TEST(CommandLine, MonthlyEvapotranspirationOption) {
    testing::TempDir dir;
    const Outcome o = tarnflow(dir, "run '" + example() + "' --etref monthly");
    ASSERT_EQ(o.code, 0) << o.err;
    EXPECT_NE(o.out.find("(monthly table)"), std::string::npos) << o.out;
    EXPECT_NE(o.out.find("not read (add --measured)"), std::string::npos);
    EXPECT_NE(o.out.find("No files written"), std::string::npos);
}

TEST(CommandLine, UsageErrorsExitTwo) {
    testing::TempDir dir;
    EXPECT_EQ(tarnflow(dir, "").code, 2);
    EXPECT_EQ(tarnflow(dir, "run").code, 2);
    EXPECT_EQ(tarnflow(dir, "run '" + example() + "' --etref weekly").code, 2);
    EXPECT_EQ(tarnflow(dir, "run '" + example() + "' --bogus").code, 2);
    const Outcome excel = tarnflow(dir, "run '" + example() + "' --excel");
    EXPECT_EQ(excel.code, 2);
    EXPECT_NE(excel.err.find("--excel needs --workbook-out"), std::string::npos);
}

TEST(CommandLine, HelpListsEverything) {
    testing::TempDir dir;
    const Outcome o = tarnflow(dir, "run --help");
    EXPECT_EQ(o.code, 0);
    for (const char* option : {"WORKBOOK", "--etref", "--measured", "--text-out", "--workbook-out", "--excel"})
        EXPECT_NE(o.out.find(option), std::string::npos) << option;
}

TEST(CommandLine, InputErrorsExitOneWithOneLineNamingFileAndCell) {
    testing::TempDir dir;
    {
        const Outcome o = tarnflow(dir, "run '" + (dir / "none.xlsx").string() + "'");
        EXPECT_EQ(o.code, 1);
        EXPECT_EQ(lineCount(o.err), 1);
        EXPECT_NE(o.err.find((dir / "none.xlsx").string() + ": no such file"), std::string::npos) << o.err;
    }
    // The example with a broken rainfall cell and with shares that do not add up.
    auto variant = [&](const std::string& name, const std::function<void(Workbook&)>& edit) {
        auto book = openWorkbook(example());
        edit(*book);
        book->saveAs(dir / name);
        return (dir / name).string();
    };
    {
        const std::string file = variant("bad-rain.xlsx", [](Workbook& b) { b.write("E1043", "n/a"); });
        const Outcome o = tarnflow(dir, "run '" + file + "'");
        EXPECT_EQ(o.code, 1);
        EXPECT_EQ(o.err, "tarnflow: " + file + ": E1043: 'n/a' is not a number\n");
    }
    {
        const std::string file = variant("shares.xlsx", [](Workbook& b) { b.write("G5", 25.0); });
        const Outcome o = tarnflow(dir, "run '" + file + "'");
        EXPECT_EQ(o.code, 1);
        EXPECT_EQ(o.err, "tarnflow: " + file + ": F5:O5: Sum of sub areas NE to Total area ! (the shares add up to 90 %)\n");
    }
    {
        const std::string file = variant("raw.xlsx", [](Workbook& b) { b.write("H8", 150.0); });
        const Outcome o = tarnflow(dir, "run '" + file + "'");
        EXPECT_EQ(o.code, 1);
        EXPECT_EQ(o.err, "tarnflow: " + file + ": A3: TAW (mm) must be greater than RAW (mm)\n");
    }
    {
        const Outcome o = tarnflow(dir, "run '" + example() + "' --text-out '" + (dir / "no" / "r.csv").string() + "'");
        EXPECT_EQ(o.code, 1);
        EXPECT_NE(o.err.find("does not exist"), std::string::npos) << o.err;
        EXPECT_EQ(lineCount(o.err), 1);
    }
}

TEST(CommandLine, OutputsThatNameTheInputOrEachOtherAreRefusedBeforeAnythingIsWritten) {
    testing::TempDir dir;
    const fs::path input = dir / "X.xlsx";
    fs::copy_file(example(), input);
    fs::create_symlink(input, dir / "link.xlsx");
    const std::string before = readWholeFile(input);
    const std::string in = "'" + input.string() + "'";
    struct Case {
        std::string args, says;
    } cases[] = {
        {"--text-out " + in, "the input workbook"},
        {"--text-out '" + (dir / "." / "X.xlsx").string() + "'", "the input workbook"},
        {"--workbook-out '" + (dir / "link.xlsx").string() + "'", "the input workbook"},
        {"--text-out '" + (dir / "o.xlsx").string() + "' --workbook-out '" + (dir / "o.xlsx").string() + "'",
         "also the file of --text-out"},
    };
    for (const Case& c : cases) {
        const Outcome o = tarnflow(dir, "run " + in + " " + c.args);
        EXPECT_EQ(o.code, 1) << c.args;
        EXPECT_NE(o.err.find(c.says), std::string::npos) << o.err;
        EXPECT_EQ(readWholeFile(input), before) << c.args;
        EXPECT_FALSE(fs::exists(dir / "o.xlsx"));
    }
}

TEST(CommandLine, AReplacedFileKeepsItsPermissions) {
    testing::TempDir dir;
    const fs::path out = dir / "r.csv";
    { std::ofstream(out) << "old"; }
    fs::permissions(out, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    ASSERT_EQ(tarnflow(dir, "run '" + example() + "' --text-out '" + out.string() + "'").code, 0);
    EXPECT_EQ(fs::status(out).permissions() & fs::perms::all,
              fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    EXPECT_NE(readWholeFile(out), "old");
    for (const auto& entry : fs::directory_iterator(out.parent_path()))
        EXPECT_EQ(entry.path().filename().string().find(".tmp-"), std::string::npos) << entry.path();
}

TEST(CommandLine, NewProjectFromCsvRunsAsItStands) {
    testing::TempDir dir;
    const std::string csv = std::string(TARNFLOW_EXAMPLES_DIR) + "/data/coln_bibury.csv";
    const std::string out = (dir / "coln.xlsx").string();
    const Outcome made = tarnflow(dir, "new '" + out + "' --series '" + csv + "' --area 10697 --shares 60,40 --soil 3,2");
    ASSERT_EQ(made.code, 0) << made.err;
    EXPECT_EQ(made.out, "Wrote " + out + ": 3653 days from 1999-01-01 to 2008-12-31, 2 sub-areas\n");
    const Outcome run = tarnflow(dir, "run '" + out + "' --measured");
    ASSERT_EQ(run.code, 0) << run.err;
    EXPECT_NE(run.out.find("10697 ha in 2 sub-areas"), std::string::npos) << run.out;
    EXPECT_NE(run.out.find("measured streamflow 473 mm"), std::string::npos) << run.out;

    // Refusals: an existing file without --force, the CSV as the target, a bad line, bad shares.
    const std::string before = readWholeFile(out);
    struct Case {
        std::string args, says;
    } cases[] = {
        {"'" + out + "' --series '" + csv + "' --area 5", out + " already exists; choose another name, or replace it with --force"},
        {"'" + csv + "' --series '" + csv + "' --area 5 --force", csv + " is the CSV file of daily series"},
        {"'" + (dir / "x.xlsx").string() + "' --series '" + (dir / "bad.csv").string() + "' --area 5",
         (dir / "bad.csv").string() + ", line 3: 2000-01-03 does not follow 2000-01-01 of line 2"},
        {"'" + (dir / "x.xlsx").string() + "' --series '" + csv + "' --area 5 --shares 60,30",
         "The sub-area shares 60, 30 add up to 90 %"},
    };
    std::ofstream(dir / "bad.csv") << "date,rain,etref\n2000-01-01,1,1\n2000-01-03,1,1\n";
    for (const Case& c : cases) {
        const Outcome o = tarnflow(dir, "new " + c.args);
        EXPECT_EQ(o.code, 1) << c.args;
        EXPECT_EQ(o.err.rfind("tarnflow: " + c.says, 0), 0u) << o.err;
        EXPECT_EQ(lineCount(o.err), 1) << o.err;
    }
    EXPECT_EQ(readWholeFile(out), before);
    EXPECT_FALSE(fs::exists(dir / "x.xlsx"));
    EXPECT_EQ(tarnflow(dir, "new '" + out + "' --series '" + csv + "'").code, 2);  // --area is required
    const Outcome replaced = tarnflow(dir, "new '" + out + "' --series '" + csv + "' --area 5 --force --name Coln");
    EXPECT_EQ(replaced.code, 0) << replaced.err;
    EXPECT_EQ(openWorkbook(out)->text("F1"), "Coln");
}

TEST(CommandLine, DurationCompareAndSummaryFiles) {
    testing::TempDir dir;
    const std::string csv = (dir / "d.csv").string();
    ASSERT_EQ(tarnflow(dir, "duration '" + example() + "' --measured --csv '" + csv + "'").code, 0);
    const std::string curve = readWholeFile(csv);
    EXPECT_EQ(curve.rfind("exceedance_percent,first_run_mm_per_day,measured_mm_per_day\n0.1,", 0), 0u);
    EXPECT_EQ(lineCount(curve), 1000);
    EXPECT_NE(curve.find("\n99.9,"), std::string::npos);

    const Outcome compared = tarnflow(dir, "compare '" + example() + "' '" + example() + "' --csv '" + (dir / "c.csv").string() + "'");
    ASSERT_EQ(compared.code, 0) << compared.err;
    EXPECT_EQ(lineCount(readWholeFile(dir / "c.csv")), 3);

    // Refusals name what is wrong and write nothing.
    struct Case {
        std::string args, says;
        int code;
    } cases[] = {
        {"run '" + example() + "' --summary-json '" + example() + "'", "is the input workbook", 1},
        {"duration '" + example() + "' --csv '" + example() + "'", "is the input workbook", 1},
        {"compare '" + example() + "'", "", 2},
        {"compare '" + example() + "' '" + std::string(TARNFLOW_TEST_DATA_DIR) + "/libreoffice.xlsx'",
         "the workbooks of a comparison must cover the same period", 1},
    };
    for (const Case& c : cases) {
        const Outcome o = tarnflow(dir, c.args);
        EXPECT_EQ(o.code, c.code) << c.args << "\n" << o.err;
        EXPECT_NE(o.err.find(c.says), std::string::npos) << o.err;
    }
}

TEST(CommandLine, RefusalsSayOneLineWriteNothingAndLeaveTheInputAlone) {
    testing::TempDir dir;
    const fs::path input = dir / "in.xlsx";
    fs::copy_file(example(), input);
    const std::string before = readWholeFile(input);
    const fs::path outDir = dir / "out";
    fs::create_directory(outDir);
    fs::create_directory(outDir / "folder");
    const std::string in = "'" + input.string() + "'", out = outDir.string() + "/";
    auto variant = [&](const std::string& name, const std::function<void(Workbook&)>& edit) {
        auto book = openWorkbook(example());
        edit(*book);
        book->saveAs(dir / name);
        return "'" + (dir / name).string() + "'";
    };
    const std::string huge = variant("huge.xlsx", [](Workbook& b) { b.write("E1043", 1e308); });
    const std::string dry = variant("dry.xlsx", [](Workbook& b) { b.write("G6", 0.0); });
    std::ofstream(dir / "utf16.csv", std::ios::binary) << std::string("\xFF\xFE" "d\0a\0t\0e\0", 10);
    const std::string files = " --text-out " + out + "r.csv --summary-json " + out + "s.json";
    const struct {
        std::string args;
        int code;
        std::string says;
    } cases[] = {
        {"run " + in + " --fit-window soon:" + files, 2, "--fit-window: 'soon' is not a date"},
        {"run " + in + " --fit-window 2001-02-30:2002-01-01" + files, 2, "--fit-window: '2001-02-30' is not a date"},
        {"run " + in + " --fit-window 2005-01-01:2001-01-01" + files, 2, "--fit-window: 2005-01-01 comes after 2001-01-01"},
        {"run " + in + " --fit-window 2009-01-01:" + files, 2, "--fit-window: 2009-01-01 lies outside the record"},
        {"run " + in + " --fit-window 2001" + files, 2, "--fit-window: '2001' is not FROM:TO"},
        {"run " + in + " --warm-up -5" + files, 2, "--warm-up: '-5' is not a number of days"},
        {"run " + in + " --warm-up ten" + files, 2, "--warm-up: 'ten' is not a number of days"},
        {"run " + in + " --warm-up 3653" + files, 2, "--warm-up: 3653 days leave no day of the fit window"},
        {"run " + in + " --fit-window 2001-01-01:2001-01-31 --warm-up 31" + files, 2, "--warm-up: 31 days leave no day"},
        {"run " + in + files + " --workbook-out " + out + "no/w.xlsx", 1,
         "--workbook-out " + out + "no/w.xlsx: the folder " + out + "no does not exist"},
        {"run " + in + files + " --workbook-out " + out + "folder", 1, "--workbook-out " + out + "folder is a folder"},
        {"run " + in + " --text-out " + out + "r.csv --summary-json " + out + "folder", 1, "--summary-json " + out + "folder is a folder"},
        {"duration " + in + " --csv " + out + "no/d.csv", 1, "--csv " + out + "no/d.csv: the folder"},
        {"compare " + in + " " + in + " --csv " + out + "folder", 1, "--csv " + out + "folder is a folder"},
        {"new " + out + "no/n.xlsx --series '" + (dir / "utf16.csv").string() + "' --area 5", 1, "OUT " + out + "no/n.xlsx: the folder"},
        {"new " + out + "n.xlsx --series '" + (dir / "utf16.csv").string() + "' --area 5", 1,
         (dir / "utf16.csv").string() + ": the file is not UTF-8 text"},
        {"run " + huge + files, 1, ": E1043: the rainfall 1E+308 mm is not plausible (0..10000 mm a day)"},
    };
    for (const auto& c : cases) {
        const Outcome o = tarnflow(dir, c.args);
        EXPECT_EQ(o.code, c.code) << c.args << "\n" << o.err;
        EXPECT_EQ(lineCount(o.err), 1) << o.err;
        EXPECT_NE(o.err.find(c.says), std::string::npos) << c.args << "\n" << o.err;
        EXPECT_EQ(o.out, "") << c.args;
        EXPECT_EQ(std::distance(fs::directory_iterator(outDir), fs::directory_iterator()), 1) << c.args;
        EXPECT_EQ(readWholeFile(input), before);
    }
    // A sub-area of the catchment without rain runs, with a warning naming it.
    const Outcome o = tarnflow(dir, "run " + dry);
    EXPECT_EQ(o.code, 0) << o.err;
    EXPECT_NE(o.out.find("Warning:       A2 gets no rain: its rainfall factor is empty or 0\n"), std::string::npos) << o.out;
}

}  // namespace
}  // namespace tarn
