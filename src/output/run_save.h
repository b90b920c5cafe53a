#pragma once
// Saving from the run screen (cmdSaveOut): the texts of its two file dialogs, of the
// progress window and of its messages; the names the files get; and the two writes, each
// handing back what to tell the user instead of throwing. Both modes first save a copy of
// the input workbook; the Excel mode writes the daily results into it, the text mode then
// writes the results to a comma-separated text file.
#include <filesystem>
#include <string>
#include <string_view>

#include "model/project.h"
#include "model/run_model.h"

namespace tarn {

// The workbook dialog: a copy is always an .xlsx workbook (a legacy .xls input's too).
inline constexpr std::string_view kSaveWorkbookTitle = "Save As";
inline constexpr std::string_view kSaveWorkbookFilter = "Excel (*.xlsx)";
// The text dialog.
inline constexpr std::string_view kSaveTextTitle = "Save As Text)";
inline constexpr std::string_view kSaveTextFilter = "Comma Seperated Text File (*.csv)";
// The message of a finished text save.
inline constexpr std::string_view kTextSavedMessage = " Saved ";

// The progress window's caption while `file` is written.
std::string savingCaption(const std::string& file);
// The message of a finished Excel save.
std::string workbookSavedMessage(const std::string& file);

// The file a name chosen in a dialog stands for: a workbook name ends in .xlsx (an .xls
// name, or one with another or no extension, gets it); a text file name without an
// extension gets .csv, one with an extension stays as it is.
std::filesystem::path workbookTargetOf(const std::filesystem::path& chosen);
std::filesystem::path textTargetOf(const std::filesystem::path& chosen);

// The question to ask before a file that the dialog did not offer to replace (its name was
// completed after the dialog) is replaced; empty when there is nothing to ask.
std::string replaceQuestion(const std::filesystem::path& chosen, const std::filesystem::path& target);

// What a write hands back: done, with the file written and what the user should know
// about it; or refused, with the reason (nothing was written then).
struct SaveStep {
    bool ok = false;
    std::filesystem::path path;
    std::string message;  // done: the note about the copy, if any; refused: why
};

// The copy of the input workbook at `target` (workbookTargetOf the chosen name), with the
// daily results in the Excel mode. Refused when `target` is the input workbook or cannot
// be written.
SaveStep saveWorkbookStep(const Project& project, const std::filesystem::path& target, bool excelMode,
                          const ProgressFn& progress = {});

// The text results at `target`. Refused when `target` is the input workbook or the copy
// just saved (`workbook`), or cannot be written.
SaveStep saveTextStep(const Project& project, const std::filesystem::path& target,
                      const std::filesystem::path& workbook, const ProgressFn& progress = {});

}  // namespace tarn
