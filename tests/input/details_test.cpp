// The project details step: opening the chosen workbook all or nothing, Next and Back with
// the names, and the clock text.
#include <gtest/gtest.h>

#include <fstream>
#include <vector>

#include "input/details.h"
#include "support/temp_dir.h"
#include "workbook/input_workbook.h"

namespace tarn {
namespace {

const std::filesystem::path kExample = std::filesystem::path(TARNFLOW_EXAMPLES_DIR) / "coln_bibury.xlsx";

TEST(Details, choosing_the_example_takes_its_header) {
    Project p;
    p.PrjName = "typed before the file was chosen";
    std::vector<int> stages;
    const OpenedDataFile opened = detailChooseFile(p, kExample, [&](int value, int maximum) {
        EXPECT_EQ(maximum, 2);
        stages.push_back(value);
    });
    ASSERT_TRUE(opened.result.ok) << opened.result.status;
    ASSERT_TRUE(opened.book);
    EXPECT_EQ(opened.result.status, "Edit the names and click on the Next button to proceed");
    EXPECT_EQ(stages, (std::vector<int>{0, 1, 2}));
    EXPECT_EQ(p.DataFile, std::filesystem::absolute(kExample).string());
    EXPECT_EQ(p.PrjName, "River Coln at Bibury, Gloucestershire, England");
    EXPECT_EQ(p.OperName, "TARNFLOW example");
    EXPECT_EQ(p.LastRun, "");
    EXPECT_EQ(p.TotalArea.text(), "10697");
    EXPECT_EQ(p.AreaInit(1, 0).text(), "50");
    EXPECT_EQ(p.AreaInit(2, 0).text(), "35");
    EXPECT_EQ(p.AreaInit(3, 0).text(), "15");
    EXPECT_EQ(p.AreaInit(3, 1).text(), "102");
    EXPECT_TRUE(p.AreaInit(4, 0).isEmpty());
    EXPECT_EQ(detailCaption(p), "Active datafile is " + p.DataFile + "    Sheet 2 of 9 ");
}

TEST(Details, a_file_that_cannot_be_read_is_refused_and_changes_nothing) {
    testing::TempDir dir;
    std::ifstream example(kExample, std::ios::binary);
    std::string head(700, '\0');
    example.read(head.data(), std::streamsize(head.size()));
    const struct {
        const char* name;
        std::optional<std::string> content;  // none: the file is missing
    } rows[] = {
        {"notes.xlsx", std::string("Date,Rainfall\n1999-01-01,2.5\n")},
        {"empty.xls", std::string()},
        {"cut.xlsx", head},
        {"missing.xlsx", std::nullopt},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        const std::filesystem::path file = dir / row.name;
        if (row.content) std::ofstream(file, std::ios::binary) << *row.content;
        Project p;
        ASSERT_TRUE(detailChooseFile(p, kExample).result.ok);
        const Project before = p;
        const OpenedDataFile opened = detailChooseFile(p, file);
        EXPECT_FALSE(opened.result.ok);
        EXPECT_FALSE(opened.book);
        EXPECT_EQ(opened.result.status.rfind(file.string(), 0), 0u) << opened.result.status;
        EXPECT_GT(opened.result.status.size(), file.string().size() + 4) << "a reason follows the file";
        EXPECT_EQ(opened.result.focus, "cmdTemplt");
        EXPECT_EQ(opened.result.beeps, 1);
        EXPECT_EQ(p.DataFile, before.DataFile);
        EXPECT_EQ(p.PrjName, before.PrjName);
        EXPECT_EQ(p.OperName, before.OperName);
        EXPECT_EQ(p.TotalArea.text(), before.TotalArea.text());
        for (int c = 1; c <= kSubAreas; ++c)
            for (int r = 0; r <= 1; ++r) EXPECT_EQ(p.AreaInit(c, r).text(), before.AreaInit(c, r).text());
    }
}

TEST(Details, next_needs_a_chosen_file_and_then_keeps_the_names) {
    Project p;
    p.PrjName = "old";
    p.OperName = "old operator";
    StepResult r = detailNext(p, "", "new", "new operator");
    EXPECT_FALSE(r.ok);
    EXPECT_EQ(r.status, "Select the input datafile first");
    EXPECT_EQ(r.focus, "cmdTemplt");
    EXPECT_EQ(p.PrjName, "old");
    EXPECT_EQ(p.OperName, "old operator");

    r = detailNext(p, "/data/coln.xlsx", "new", "new operator");
    EXPECT_TRUE(r.ok);
    EXPECT_EQ(p.PrjName, "new");
    EXPECT_EQ(p.OperName, "new operator");

    detailBack(p, "from back", "");
    EXPECT_EQ(p.PrjName, "from back");
    EXPECT_EQ(p.OperName, "");
}

TEST(Details, clock_numbers_have_no_leading_zeros) {
    const struct {
        int day, month, year, hour, minute, second;
        const char* text;
    } rows[] = {
        {3, 7, 2024, 9, 7, 5, "3 / 7 / 2024   9:7:5"},
        {31, 12, 1999, 23, 59, 59, "31 / 12 / 1999   23:59:59"},
        {1, 1, 2000, 0, 0, 0, "1 / 1 / 2000   0:0:0"},
        {10, 10, 2010, 10, 10, 10, "10 / 10 / 2010   10:10:10"},
    };
    for (const auto& row : rows) {
        std::tm t{};
        t.tm_mday = row.day;
        t.tm_mon = row.month - 1;
        t.tm_year = row.year - 1900;
        t.tm_hour = row.hour;
        t.tm_min = row.minute;
        t.tm_sec = row.second;
        EXPECT_EQ(timeNowText(t), row.text);
    }
    Project p;
    EXPECT_EQ(detailClockTick(p), p.TimeNow);
    EXPECT_FALSE(p.TimeNow.empty());
}

}  // namespace
}  // namespace tarn
