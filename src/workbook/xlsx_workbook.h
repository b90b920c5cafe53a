#pragma once
#include <filesystem>
#include <memory>
#include <string>

#include "workbook/workbook.h"

namespace tarn {

// An Office Open XML workbook held in `bytes` (read from `path`).
std::unique_ptr<Workbook> openXlsxWorkbook(const std::filesystem::path& path, std::string bytes);

}  // namespace tarn
