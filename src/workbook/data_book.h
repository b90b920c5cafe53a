#pragma once
// Opening the input workbook for the daily series, letting it go, and the short wait of
// the exit routine.
#include <filesystem>
#include <functional>
#include <memory>
#include <string_view>

#include "model/project.h"
#include "workbook/workbook.h"

namespace tarn {

// Opens the workbook at `path` and sizes the daily tables anew (resizeDays, which clears
// them) for NumDays = the number of consecutive non-empty cells of `column` from row 25
// down. Throws InputError naming the file when it cannot be
// opened or holds too many days; the message then starts with the file's path.
std::unique_ptr<Workbook> OpenDataBook(Project& project, const std::filesystem::path& path,
                                       std::string_view column);

// Lets go of an open workbook; nothing is written to its file.
void CloseWorkbooks(std::unique_ptr<Workbook>& book);

// Returns after `ms` milliseconds, calling `pump` meanwhile so that a screen stays
// responsive; 0 or less returns at once.
void WaitMs(double ms, const std::function<void()>& pump = {});

}  // namespace tarn
