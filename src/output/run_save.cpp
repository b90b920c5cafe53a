#include "output/run_save.h"

#include <algorithm>
#include <cctype>
#include <system_error>

#include "model/errors.h"
#include "output/saved_workbook.h"
#include "output/text_results.h"
#include "workbook/atomic_file.h"

namespace tarn {

namespace {

std::string lowerExtension(const std::filesystem::path& path) {
    std::string ext = path.extension().string();
    std::transform(ext.begin(), ext.end(), ext.begin(), [](unsigned char c) { return char(std::tolower(c)); });
    return ext;
}

bool fileExists(const std::filesystem::path& path) {
    std::error_code ec;
    return std::filesystem::exists(path, ec);
}

SaveStep refused(const std::filesystem::path& target, std::string why) { return {false, target, std::move(why)}; }

}  // namespace

std::string savingCaption(const std::string& file) { return "Saving data to  " + file + "  Please Wait !!!!!"; }

std::string workbookSavedMessage(const std::string& file) { return " Output saved to the " + file; }

std::filesystem::path workbookTargetOf(const std::filesystem::path& chosen) {
    const std::string ext = lowerExtension(chosen);
    if (ext == ".xlsx") return chosen;
    std::filesystem::path target = chosen;
    if (ext == ".xls") return target.replace_extension(".xlsx");
    target += ".xlsx";
    return target;
}

std::filesystem::path textTargetOf(const std::filesystem::path& chosen) {
    if (chosen.has_extension() || !chosen.has_filename()) return chosen;
    std::filesystem::path target = chosen;
    target += ".csv";
    return target;
}

std::string replaceQuestion(const std::filesystem::path& chosen, const std::filesystem::path& target) {
    if (target == chosen || !fileExists(target)) return {};
    return target.string() + " already exists.\nDo you want to replace it?";
}

SaveStep saveWorkbookStep(const Project& p, const std::filesystem::path& target, bool excelMode,
                          const ProgressFn& progress) {
    try {
        const SavedWorkbook saved = saveResultsWorkbook(p, target, excelMode, progress);
        return {true, saved.path, saved.note};
    } catch (const InputError& e) {
        return refused(target, e.what());
    } catch (const std::filesystem::filesystem_error& e) {
        return refused(target, "Cannot write " + target.string() + ": " + e.code().message());
    }
}

SaveStep saveTextStep(const Project& p, const std::filesystem::path& target, const std::filesystem::path& workbook,
                      const ProgressFn& progress) {
    if (!workbook.empty() && sameFile(target, workbook))
        return refused(target, "Cannot write " + target.string() +
                                   ": it is the workbook copy just saved; choose another name for the text file");
    try {
        writeTextResults(p, target, progress);
        return {true, target, {}};
    } catch (const InputError& e) {
        return refused(target, e.what());
    } catch (const std::filesystem::filesystem_error& e) {
        return refused(target, "Cannot write " + target.string() + ": " + e.code().message());
    }
}

}  // namespace tarn
