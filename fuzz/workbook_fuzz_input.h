#pragma once
// One fuzz input for the workbook reader, shared by the fuzzer and the regression test.
#include <string>

namespace tarn {

// Reads `bytes` as a workbook and runs the input-workbook loaders and a save over it.
// Bytes starting with "PK" are a whole .xlsx file; other bytes are the worksheet XML, then
// optionally "\n--\n" and the shared strings XML, then "\n--\n" and the styles XML, put into
// an otherwise valid package. Returns "" when the workbook opened and saved again, else the
// message of the InputError that refused it; anything else escapes or crashes. Cell errors
// met by the loaders after opening are expected and not reported.
std::string readFuzzInput(const std::string& bytes);

}  // namespace tarn
