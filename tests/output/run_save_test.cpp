// Saving from the run screen without its window: the names the files get, and the two
// writes, which refuse the input workbook, the copy just saved and a folder that is not
// there, leaving nothing behind.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "output/run_save.h"
#include "output/text_results.h"
#include "run_job.h"
#include "support/temp_dir.h"
#include "workbook/zip_archive.h"

namespace tarn {
namespace {

namespace fs = std::filesystem;

TEST(RunSave, ChosenNamesBecomeWorkbookAndTextFiles) {
    struct Case {
        const char* chosen;
        const char* workbook;
        const char* text;
    };
    for (const Case& c : {Case{"/t/out.xlsx", "/t/out.xlsx", "/t/out.xlsx"},
                          Case{"/t/OUT.XLSX", "/t/OUT.XLSX", "/t/OUT.XLSX"},
                          Case{"/t/out.xls", "/t/out.xlsx", "/t/out.xls"},
                          Case{"/t/out", "/t/out.xlsx", "/t/out.csv"},
                          Case{"/t/out.csv", "/t/out.csv.xlsx", "/t/out.csv"},
                          Case{"/t/run.1", "/t/run.1.xlsx", "/t/run.1"}}) {
        EXPECT_EQ(workbookTargetOf(c.chosen), fs::path(c.workbook)) << c.chosen;
        EXPECT_EQ(textTargetOf(c.chosen), fs::path(c.text)) << c.chosen;
    }
}

TEST(RunSave, AsksBeforeReplacingOnlyAFileTheDialogDidNotOffer) {
    testing::TempDir dir;
    { std::ofstream(dir / "old.xlsx") << "x"; }
    EXPECT_EQ(replaceQuestion(dir / "old", dir / "old.xlsx"),
              (dir / "old.xlsx").string() + " already exists.\nDo you want to replace it?");
    EXPECT_EQ(replaceQuestion(dir / "old.xlsx", dir / "old.xlsx"), "");  // the dialog asked
    EXPECT_EQ(replaceQuestion(dir / "new", dir / "new.xlsx"), "");
    EXPECT_EQ(savingCaption("/t/a.csv"), "Saving data to  /t/a.csv  Please Wait !!!!!");
    EXPECT_EQ(workbookSavedMessage("/t/a.xlsx"), " Output saved to the /t/a.xlsx");
}

TEST(RunSave, WritesBothFilesAndRefusesTargetsThatWouldLoseData) {
    testing::TempDir dir;
    const fs::path input = dir / "coln.xlsx";
    fs::copy_file(fs::path(TARNFLOW_EXAMPLES_DIR) / "coln_bibury.xlsx", input);
    Project p;
    RunJobOptions options;
    options.workbook = input;
    options.measured = true;
    runJob(p, options);
    const std::string inputBytes = readWholeFile(input);

    const SaveStep book = saveWorkbookStep(p, dir / "out.xlsx", false);
    ASSERT_TRUE(book.ok) << book.message;
    EXPECT_EQ(book.path, dir / "out.xlsx");
    const SaveStep text = saveTextStep(p, dir / "out.csv", book.path);
    ASSERT_TRUE(text.ok) << text.message;
    EXPECT_EQ(readWholeFile(dir / "out.csv"), textResults(p));

    struct Refusal {
        const char* what;
        SaveStep step;
        const char* reason;
    };
    for (const Refusal& r :
         {Refusal{"workbook over the input", saveWorkbookStep(p, input, true), "it is the input workbook"},
          Refusal{"text over the input", saveTextStep(p, input, book.path), "it is the input workbook"},
          Refusal{"text over the copy", saveTextStep(p, book.path, book.path), "it is the workbook copy just saved"},
          Refusal{"workbook into no folder", saveWorkbookStep(p, dir / "gone" / "out.xlsx", false), "gone"},
          Refusal{"text into no folder", saveTextStep(p, dir / "gone" / "out.csv", book.path), "gone"}}) {
        EXPECT_FALSE(r.step.ok) << r.what;
        EXPECT_NE(r.step.message.find(r.reason), std::string::npos) << r.what << ": " << r.step.message;
    }
    EXPECT_EQ(readWholeFile(input), inputBytes);
    EXPECT_FALSE(fs::exists(dir / "gone"));
    std::size_t files = 0;
    for ([[maybe_unused]] const auto& entry : fs::directory_iterator(dir.path())) ++files;
    EXPECT_EQ(files, 3u);  // the input, out.xlsx, out.csv: no temporary leftovers
}

}  // namespace
}  // namespace tarn
