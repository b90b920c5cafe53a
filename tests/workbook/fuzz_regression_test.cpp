// Files that once upset the workbook reader (found by fuzzing, kept in tests/data/fuzz):
// each must open with a clear error or read without harm.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "fuzz/workbook_fuzz_input.h"

namespace tarn {
namespace {

TEST(FuzzRegression, EveryKeptInputIsReadOrRefusedCleanly) {
    const std::filesystem::path dir = std::filesystem::path(TARNFLOW_TEST_DATA_DIR) / "fuzz";
    int inputs = 0;
    for (const auto& entry : std::filesystem::directory_iterator(dir)) {
        if (!entry.is_regular_file() || entry.path().extension() == ".md") continue;
        std::ifstream in(entry.path(), std::ios::binary);
        const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        EXPECT_NO_THROW(readFuzzInput(bytes)) << entry.path();
        ++inputs;
    }
    EXPECT_GT(inputs, 0);
}

}  // namespace
}  // namespace tarn
