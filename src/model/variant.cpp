#include "model/variant.h"

#include <cfenv>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace tarn {

std::optional<double> Variant::toNumber() const {
    if (isEmpty()) return 0.0;
    if (const double* x = std::get_if<double>(&value_)) return *x;
    const std::string& s = std::get<std::string>(value_);
    if (s.find_first_not_of(" \t") == std::string::npos) return 0.0;
    return parseNumber(s);
}

std::string Variant::text() const {
    if (isEmpty()) return {};
    if (const double* x = std::get_if<double>(&value_)) return generalNumberText(*x);
    return std::get<std::string>(value_);
}

std::string generalNumberText(double x) {
    if (std::isnan(x)) return "NaN";
    if (std::isinf(x)) return x > 0 ? "Infinity" : "-Infinity";
    if (x == 0) return "0";
    char buf[40];
    std::snprintf(buf, sizeof buf, "%.15G", x);
    std::string s(buf);
    // Strip trailing zeros of the mantissa ("1.50000000000000E+20" -> "1.5E+20").
    std::string exponent;
    if (auto e = s.find('E'); e != std::string::npos) {
        exponent = s.substr(e);
        s.erase(e);
        // "E+020" style exponents do not occur with glibc, but keep at least 2 digits off.
    }
    if (s.find('.') != std::string::npos) {
        while (!s.empty() && s.back() == '0') s.pop_back();
        if (!s.empty() && s.back() == '.') s.pop_back();
    }
    return s + exponent;
}

std::optional<double> parseNumber(std::string_view text) {
    std::size_t b = text.find_first_not_of(" \t");
    if (b == std::string_view::npos) return std::nullopt;
    std::size_t e = text.find_last_not_of(" \t");
    std::string_view t = text.substr(b, e - b + 1);
    if (!t.empty() && t.front() == '+') t.remove_prefix(1);
    if (t.empty()) return std::nullopt;
    double value = 0;
    auto [ptr, ec] = std::from_chars(t.data(), t.data() + t.size(), value);
    if (ec != std::errc() || ptr != t.data() + t.size()) return std::nullopt;
    if (!std::isfinite(value)) return std::nullopt;
    return value;
}

double roundHalfEven(double x) {
    // nearbyint follows the current rounding mode, which is to-nearest-even unless
    // someone changed it; do not depend on that.
    double r = std::round(x);  // ties away from zero
    if (std::fabs(x - std::trunc(x)) == 0.5) r = 2.0 * std::round(x / 2.0);
    return r;
}

}  // namespace tarn
