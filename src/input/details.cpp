#include "input/details.h"

#include <exception>
#include <new>
#include <system_error>

#include "model/errors.h"
#include "workbook/input_workbook.h"

namespace tarn {

namespace {

// A refusal of the file chosen: the reason in the status line, a beep, the focus back on the
// file button.
StepResult refusedFile(std::string reason) {
    StepResult r;
    r.status = std::move(reason);
    r.focus = "cmdTemplt";
    r.beeps = 1;
    return r;
}

}  // namespace

std::string detailCaption(const Project& p) { return "Active datafile is " + p.DataFile + "    Sheet 2 of 9 "; }

DetailTexts detailLoad(const Project& p) {
    return {detailCaption(p), p.PrjName, p.OperName,
            "Click on the Input data file & template button to select a file"};
}

OpenedDataFile detailChooseFile(Project& p, const std::filesystem::path& chosen, const ProgressFn& progress) {
    auto stage = [&](int value) {
        if (progress) progress(value, 2);
    };
    OpenedDataFile out;
    std::error_code ec;
    std::filesystem::path path = std::filesystem::absolute(chosen, ec);
    if (ec) path = chosen;
    try {
        stage(0);
        out.book = openWorkbook(path);
        stage(1);
        // Read into a scratch project first, so that a failure leaves the project untouched.
        Project header;
        readHeader(*out.book, header);
        p.DataFile = path.string();
        p.PrjName = std::move(header.PrjName);
        p.OperName = std::move(header.OperName);
        p.LastRun = std::move(header.LastRun);
        p.TotalArea = std::move(header.TotalArea);
        p.AreaInit = std::move(header.AreaInit);
        stage(2);
    } catch (const std::bad_alloc&) {
        out.book.reset();
        out.result = refusedFile(path.string() + ": not enough memory to read this workbook");
        return out;
    } catch (const std::exception& e) {  // InputError and any other failure of the read
        out.book.reset();
        out.result = refusedFile(namingFile(path.string(), e.what()));
        return out;
    }
    out.result.ok = true;
    out.result.status = "Edit the names and click on the Next button to proceed";
    return out;
}

StepResult detailNext(Project& p, const std::string& templateText, const std::string& prjName,
                      const std::string& operName) {
    StepResult r;
    if (templateText.empty()) {
        r.status = "Select the input datafile first";
        r.focus = "cmdTemplt";
        return r;
    }
    p.OperName = operName;
    p.PrjName = prjName;
    r.ok = true;
    return r;
}

void detailBack(Project& p, const std::string& prjName, const std::string& operName) {
    p.OperName = operName;
    p.PrjName = prjName;
}

std::string timeNowText(const std::tm& t) {
    using std::to_string;
    return to_string(t.tm_mday) + " / " + to_string(t.tm_mon + 1) + " / " + to_string(t.tm_year + 1900) + "   " +
           to_string(t.tm_hour) + ":" + to_string(t.tm_min) + ":" + to_string(t.tm_sec);
}

std::string timeNowText() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    return timeNowText(local);
}

const std::string& detailClockTick(Project& p) {
    p.TimeNow = timeNowText();
    return p.TimeNow;
}

}  // namespace tarn
