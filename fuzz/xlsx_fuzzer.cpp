// libFuzzer entry over the workbook reader: scripts/fuzz builds and runs it.
#include <cstddef>
#include <cstdint>
#include <string>

#include "fuzz/workbook_fuzz_input.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    (void)tarn::readFuzzInput(std::string(reinterpret_cast<const char*>(data), size));
    return 0;
}
