#include "analysis/display.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace tarn {

std::string formatPattern(double x, std::string_view pattern) {
    const auto point = pattern.find('.');
    const int decimals = point == std::string_view::npos ? 0 : int(pattern.size() - point - 1);
    const std::string_view whole = pattern.substr(0, point);
    int minDigits = 0;
    for (char ch : whole) minDigits += ch == '0' ? 1 : 0;
    if (!std::isfinite(x)) return x > 0 ? "Infinity" : (x < 0 ? "-Infinity" : "NaN");

    // The 15 significant digits of |x| and where the decimal point stands among them.
    char buf[40];
    std::snprintf(buf, sizeof buf, "%.14e", std::fabs(x));
    std::vector<int> digits;
    digits.push_back(buf[0] - '0');
    for (int i = 2; i < 16; ++i) digits.push_back(buf[i] - '0');
    int pointPos = std::atoi(buf + 17) + 1;  // digits before the point

    // Round half away from zero to `decimals` places.
    const int keep = pointPos + decimals;
    if (keep < 0) {
        digits.assign(1, 0);
        pointPos = 1;
    } else if (keep < int(digits.size())) {
        const bool up = digits[std::size_t(keep)] >= 5;
        digits.resize(std::size_t(keep));
        if (up) {
            int i = keep - 1;
            while (i >= 0 && digits[std::size_t(i)] == 9) digits[std::size_t(i--)] = 0;
            if (i >= 0) {
                ++digits[std::size_t(i)];
            } else {
                digits.insert(digits.begin(), 1);
                ++pointPos;
            }
        }
    }
    auto digitAt = [&](int i) { return i >= 0 && i < int(digits.size()) ? char('0' + digits[std::size_t(i)]) : '0'; };

    std::string integer;
    for (int i = 0; i < pointPos; ++i) integer.push_back(digitAt(i));
    const auto firstNonZero = integer.find_first_not_of('0');
    integer = firstNonZero == std::string::npos ? std::string() : integer.substr(firstNonZero);
    while (int(integer.size()) < minDigits) integer.insert(integer.begin(), '0');
    std::string fraction;
    for (int i = 0; i < decimals; ++i) fraction.push_back(digitAt(pointPos + i));

    bool nonZero = false;
    for (char ch : integer + fraction) nonZero = nonZero || ch != '0';
    std::string out = integer;
    if (decimals > 0) out += "." + fraction;
    if (x < 0 && nonZero) out.insert(out.begin(), '-');
    return out;
}

ScaleStep scaleStepOf(double m) {
    if (m < 10) return ScaleStep::Cubm;
    if (m > 1000 && m < 10000) return ScaleStep::TenThousand;
    if (m > 10000) return ScaleStep::HundredThousand;
    return ScaleStep::Thousand;
}

double scaleDivisor(ScaleStep step) {
    switch (step) {
        case ScaleStep::Cubm: return 0.001;
        case ScaleStep::Thousand: return 1;
        case ScaleStep::TenThousand: return 10;
        case ScaleStep::HundredThousand: return 100;
    }
    return 1;
}

std::string monthlyScaleLabel(ScaleStep step) {
    switch (step) {
        case ScaleStep::Cubm: return "cubm";
        case ScaleStep::Thousand: return "cubm x 1000";
        case ScaleStep::TenThousand: return "cubm x 10,000";
        case ScaleStep::HundredThousand: return "cubm x 100,000";
    }
    return {};
}

std::string annualScaleLabel(ScaleStep step) { return monthlyScaleLabel(step); }

std::string annualSubAreaScaleLabel(ScaleStep step) {
    switch (step) {
        case ScaleStep::TenThousand: return "cubm x    10,000";
        case ScaleStep::HundredThousand: return "cubm x    100,000";
        default: return monthlyScaleLabel(step);
    }
}

std::string minFlowScaleLabel(ScaleStep step) {
    // The seven-day volume means are the window's litres / 7000, m3 per day, divided by the
    // scale's divisor: the labels name that unit.
    switch (step) {
        case ScaleStep::Cubm: return "litres/day";
        case ScaleStep::Thousand: return "cubm/day";
        case ScaleStep::TenThousand: return "cubm x 10 / day";
        case ScaleStep::HundredThousand: return "cubm x 100 / day";
    }
    return {};
}

std::string monthName(int month) {
    static const char* const names[] = {" ",   "January", "Feb",    "March", "April", "May", "June",
                                        "July", "August", "Sept", "Oct",   "Nov",   "Dec"};
    if (month < 0 || month > 12) return {};
    return names[month];
}

}  // namespace tarn
