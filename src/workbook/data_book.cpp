#include "workbook/data_book.h"

#include <chrono>
#include <thread>

#include "model/errors.h"
#include "workbook/input_workbook.h"

namespace tarn {

std::unique_ptr<Workbook> OpenDataBook(Project& project, const std::filesystem::path& path,
                                       std::string_view column) {
    auto book = openWorkbook(path);
    try {
        // A fresh read: the daily tables take the size of the new period.
        project.resizeDays(countDays(*book, column));
    } catch (const InputError& e) {
        throw InputError(path.string() + ": " + e.what());
    }
    return book;
}

void CloseWorkbooks(std::unique_ptr<Workbook>& book) { book.reset(); }

void WaitMs(double ms, const std::function<void()>& pump) {
    using Clock = std::chrono::steady_clock;
    const auto target = Clock::now() + std::chrono::duration<double, std::milli>(ms);
    while (Clock::now() < target) {
        if (pump) pump();
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
}

}  // namespace tarn
