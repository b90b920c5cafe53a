#pragma once
// A cell value as the user or a workbook gives it: nothing, a number or a text.
// Values typed by the user stay text until they are used; an empty value counts as 0.
#include <optional>
#include <string>
#include <string_view>
#include <variant>

namespace tarn {

class Variant {
public:
    Variant() = default;
    Variant(double number) : value_(number) {}          // NOLINT: implicit on purpose
    Variant(int number) : value_(double(number)) {}     // NOLINT
    Variant(std::string text) : value_(std::move(text)) {}  // NOLINT
    Variant(const char* text) : value_(std::string(text)) {}  // NOLINT

    bool isEmpty() const { return std::holds_alternative<std::monostate>(value_); }
    bool isNumber() const { return std::holds_alternative<double>(value_); }
    bool isText() const { return std::holds_alternative<std::string>(value_); }

    // The number this value stands for: empty is 0, a number is itself, a text is read as
    // a decimal number (blanks around it allowed; an empty or blank text counts as 0).
    // Any other text has no number.
    std::optional<double> toNumber() const;
    // Like toNumber, but a value without a number counts as 0. Only for values already
    // checked, or where the system deliberately treats them so.
    double numberOr0() const { return toNumber().value_or(0.0); }

    // The value as text in the general format: text as is, numbers in their shortest
    // general form (see generalNumberText), empty as "".
    std::string text() const;

    const std::string* textPtr() const { return std::get_if<std::string>(&value_); }

    friend bool operator==(const Variant&, const Variant&) = default;

private:
    std::variant<std::monostate, double, std::string> value_;
};

// A number as the general number format shows it: at most 15 significant digits, no
// trailing zeros, whole numbers without a decimal point ("3", "0.25", "1E+20").
std::string generalNumberText(double x);

// Reads a whole text as a decimal number (a point as decimal separator, optional sign and
// exponent, blanks around it allowed). No number for anything else, for "inf" or "nan".
std::optional<double> parseNumber(std::string_view text);

// The nearest whole number, ties to even (2.5 -> 2, 3.5 -> 4).
double roundHalfEven(double x);

}  // namespace tarn
