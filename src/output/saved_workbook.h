#pragma once
// The saved workbook: a copy of the input workbook with the current inputs, parameters,
// analysis tables and daily input series written into it, so that it can be reopened as an
// input workbook; in the Excel mode also the daily results.
#include <filesystem>
#include <string>

#include "model/project.h"
#include "model/run_model.h"

namespace tarn {

struct SavedWorkbook {
    std::filesystem::path path;  // where the copy went (an .xls input gives an .xlsx copy)
    std::string note;            // "" or what the user should know about the copy
};

// The text of a date for column D: year/month/day without leading zeros ("1995/3/7").
std::string savedDateText(const std::string& isoDate);

// Saves the copy of DataFile to `target`, atomically; `target` may be DataFile itself.
// Throws InputError saying why it could not.
SavedWorkbook saveResultsWorkbook(const Project& project, const std::filesystem::path& target,
                                  bool excelMode, const ProgressFn& progress = {});

}  // namespace tarn
