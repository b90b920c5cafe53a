#include "workbook/daily_csv.h"

#include <fstream>
#include <string_view>

#include "model/dates.h"
#include "model/errors.h"
#include "model/message_text.h"
#include "model/plausible.h"
#include "model/project.h"
#include "model/variant.h"

namespace tarn {

namespace {

namespace fs = std::filesystem;

std::string_view trimmed(std::string_view s) {
    const auto first = s.find_first_not_of(" \t");
    if (first == std::string_view::npos) return {};
    const auto last = s.find_last_not_of(" \t");
    s = s.substr(first, last - first + 1);
    if (s.size() >= 2 && s.front() == '"' && s.back() == '"') s = s.substr(1, s.size() - 2);
    return s;
}

std::vector<std::string_view> fieldsOf(std::string_view line) {
    std::vector<std::string_view> fields;
    std::size_t start = 0;
    while (true) {
        const auto comma = line.find(',', start);
        fields.push_back(trimmed(line.substr(start, comma == std::string_view::npos ? line.npos : comma - start)));
        if (comma == std::string_view::npos) return fields;
        start = comma + 1;
    }
}

bool allEmpty(const std::vector<std::string_view>& fields) {
    for (std::string_view f : fields)
        if (!f.empty()) return false;
    return true;
}

constexpr const char* kColumns = "date, rainfall (mm), reference evapotranspiration (mm) and, optionally, "
                                 "measured streamflow (mm), separated by commas";

std::string plural(long n, const char* one, const char* many) {
    return std::to_string(n) + " " + (n == 1 ? one : many);
}

}  // namespace

DailyRecord readDailyCsv(const fs::path& path) {
    std::error_code ec;
    if (!fs::exists(path, ec)) throw InputError(path.string() + ": no such file");
    if (fs::is_directory(path, ec)) throw InputError(path.string() + " is a folder, not a file of daily series");
    std::ifstream in(path, std::ios::binary);
    if (!in) throw InputError(path.string() + ": cannot be read");
    // UTF-16 (with or without its byte order mark) and binary files hold NUL bytes, which
    // text in UTF-8 never does.
    const auto notUtf8 = [&] {
        return InputError(path.string() + ": the file is not UTF-8 text (it looks like UTF-16 or a binary file); "
                                          "save it as a CSV file in UTF-8");
    };
    {
        std::string head(64 * 1024, '\0');  // bytes looked at before any line is read
        in.read(head.data(), std::streamsize(head.size()));
        head.resize(std::size_t(in.gcount()));
        const bool utf16Mark = head.rfind("\xFF\xFE", 0) == 0 || head.rfind("\xFE\xFF", 0) == 0;
        if (utf16Mark || head.find('\0') != std::string::npos) throw notUtf8();
        in.clear();
        in.seekg(0);
    }

    int lineNo = 0;
    auto fail = [&](const std::string& message) {
        return InputError(path.string() + ", line " + std::to_string(lineNo) + ": " + message);
    };

    DailyRecord record;
    std::size_t columns = 0;  // of the header: 3, or 4 with measured streamflow
    int headerLine = 0, previousLine = 0;
    std::string line;
    while (std::getline(in, line)) {
        ++lineNo;
        if (line.find('\0') != std::string::npos) throw notUtf8();
        if (lineNo == 1 && line.rfind("\xEF\xBB\xBF", 0) == 0) line.erase(0, 3);  // a UTF-8 byte order mark
        if (!line.empty() && line.back() == '\r') line.pop_back();
        const auto fields = fieldsOf(line);
        if (allEmpty(fields)) continue;

        if (!columns) {
            headerLine = lineNo;
            if (parseDateText(fields[0]))
                throw fail(quotedText(fields[0]) +
                           " is a date; the first line must be the header row naming the columns: " + kColumns);
            if (fields.size() < 3 || fields.size() > 4)
                throw fail("the header row names " + plural(long(fields.size()), "column", "columns") +
                           " (" + quotedText(line) + "); expected " + kColumns);
            columns = fields.size();
            record.hasFlowColumn = columns == 4;
            continue;
        }

        if (fields.size() != columns)
            throw fail(plural(long(fields.size()), "field", "fields") + " where the header row of line " +
                       std::to_string(headerLine) + " names " + std::to_string(columns) + " columns (" +
                       (columns == 4 ? "date, rainfall, evapotranspiration, measured streamflow"
                                     : "date, rainfall, evapotranspiration") +
                       ")");
        if (int(record.days.size()) == kMaxDays)
            throw fail("more than " + std::to_string(kMaxDays) + " days; a run takes at most " +
                       std::to_string(kMaxDays) + " days");

        DailyValues day;
        const auto date = parseDateText(fields[0]);
        if (!date) throw fail("date " + quotedText(fields[0]) + " is not a date in the form yyyy-mm-dd");
        day.date = daysSinceEpoch(*date);
        if (!record.days.empty()) {
            const int previous = record.days.back().date;
            const std::string before = dateText(dateFromDays(previous)) + " of line " + std::to_string(previousLine);
            if (day.date == previous)
                throw fail(dateText(*date) + " repeats the date " + before + "; the dates must be consecutive days");
            if (day.date < previous)
                throw fail(dateText(*date) + " comes after " + before + "; the dates must be consecutive days in order");
            if (day.date > previous + 1) {
                const int missing = day.date - previous - 1;
                throw fail(dateText(*date) + " does not follow " + before + ": " +
                           (missing == 1 ? dateText(dateFromDays(previous + 1)) + " is missing"
                                         : plural(missing, "day", "days") + " from " +
                                               dateText(dateFromDays(previous + 1)) + " are missing") +
                           "; the dates must be consecutive days");
            }
        }

        auto amount = [&](std::string_view field, const char* what) {
            if (field.empty()) throw fail(std::string("the ") + what + " is empty");
            const auto x = parseNumber(field);
            if (!x) throw fail(std::string(what) + " " + quotedText(field) + " is not a number");
            if (*x < 0) throw fail(std::string(what) + " " + printableText(field) + " mm is negative");
            if (!plausibleDailyDepth(*x)) throw fail(implausibleDailyText(what, printableText(field)));
            return *x;
        };
        day.rain = amount(fields[1], "rainfall");
        day.etref = amount(fields[2], "reference evapotranspiration");
        if (columns == 4 && !fields[3].empty()) {
            day.flow = parseNumber(fields[3]);
            if (!day.flow)
                throw fail("measured streamflow " + quotedText(fields[3]) + " is not a number");
            if (!plausibleDailyDepth(*day.flow, true))
                throw fail(implausibleDailyText("measured streamflow", printableText(fields[3])));
            ++record.measuredDays;
        }
        record.days.push_back(day);
        previousLine = lineNo;
    }
    if (in.bad()) throw InputError(path.string() + ": cannot be read");
    if (!columns) {
        lineNo = 1;
        throw fail("the file is empty; expected a header row naming the columns (" + std::string(kColumns) +
                   "), then one line per day");
    }
    if (record.days.empty()) {
        lineNo = headerLine + 1;
        throw fail("no daily values below the header row");
    }
    return record;
}

}  // namespace tarn
