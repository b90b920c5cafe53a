#pragma once
// One cell of a worksheet as a workbook file holds it.
#include <optional>
#include <string>

#include "model/variant.h"

namespace tarn {

struct Cell {
    enum class Type : unsigned char { Empty, Number, Text, Boolean, Date, Error };
    Type type = Type::Empty;
    double number = 0;  // Number, Boolean (0/1), Date (serial of the workbook's date system)
    std::string text;   // Text and Error; for Date the date as "YYYY-MM-DD"

    bool empty() const { return type == Type::Empty; }

    // The value as text without a format pattern, which is also what the sheet displays
    // here: text as is, numbers in their general form, dates as "YYYY-MM-DD", booleans as
    // TRUE/FALSE, errors as their code (#N/A), an empty cell as "".
    std::string displayText() const;

    // The value as the project holds it: a number, a text (dates in their text form), or
    // nothing for an empty cell.
    Variant toVariant() const;

    // The number the cell holds: numbers as they are, text read as a decimal number, empty
    // as 0. No number for other text, booleans, errors and dates.
    std::optional<double> toNumber() const;
};

// Date serials. In the 1900 system serial 1 is 1900-01-01 and serial 60 the 29 February
// 1900 that never was (kept for compatibility); in the 1904 system serial 0 is 1904-01-01.
// The whole part of a serial is its day. No date for serial 60 of the 1900 system or a
// serial before the first day of the system.
std::optional<std::string> dateTextOfSerial(double serial, bool date1904);
double serialOfDays(int daysSinceEpoch, bool date1904);

// Whether a number format code shows a date (or date and time): "yyyy-mm-dd", "d/m/yy",
// "[$-409]d-mmm-yy;@"; not "0.00", "General", "mm:ss" or "[h]:mm".
bool isDateFormatCode(const std::string& code);
// Whether a built-in number format id is a date format (14..17, 22, 27..36, 50..58).
bool isBuiltinDateFormat(int id);

}  // namespace tarn
