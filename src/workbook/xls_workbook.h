#pragma once
#include <filesystem>
#include <memory>

#include "workbook/workbook.h"

namespace tarn {

// A legacy .xls (BIFF) workbook, read only: a save writes an .xlsx copy of its first
// worksheet with the written cells.
std::unique_ptr<Workbook> openXlsWorkbook(const std::filesystem::path& path);

}  // namespace tarn
