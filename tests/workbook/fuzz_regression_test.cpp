// Files that once upset the workbook reader (found by fuzzing, kept in tests/data/fuzz):
// each must open with a clear error or read without harm.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "fuzz/workbook_fuzz_input.h"

namespace tarn {
namespace {

TEST(FuzzRegression, SeedsReadAndKeptInputsAreRefusedCleanly) {
    const std::filesystem::path dir = std::filesystem::path(TARNFLOW_TEST_DATA_DIR) / "fuzz";
    int seeds = 0;
    for (const auto& entry : std::filesystem::directory_iterator(dir)) {
        if (!entry.is_regular_file() || entry.path().extension() == ".md") continue;
        std::ifstream in(entry.path(), std::ios::binary);
        const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        std::string refusal;
        ASSERT_NO_THROW(refusal = readFuzzInput(bytes)) << entry.path();
        if (entry.path().filename().string().rfind("seed-", 0) == 0) {
            EXPECT_EQ(refusal, "") << entry.path();  // a seed is a valid workbook
            ++seeds;
        } else if (!refusal.empty()) {
            EXPECT_EQ(refusal.rfind("fuzz-input.xlsx", 0), 0u) << refusal;  // names the file
        }
    }
    EXPECT_GT(seeds, 0);
}

}  // namespace
}  // namespace tarn
