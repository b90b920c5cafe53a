#pragma once
#include <filesystem>
#include <memory>
#include <string_view>

#include "workbook/workbook.h"

namespace tarn {

// A legacy .xls (BIFF) workbook, read only: a save writes an .xlsx copy of its first
// worksheet with the written cells. `bytes` are the file's contents, already read (the
// stored formula results come from them).
std::unique_ptr<Workbook> openXlsWorkbook(const std::filesystem::path& path, std::string_view bytes);

}  // namespace tarn
