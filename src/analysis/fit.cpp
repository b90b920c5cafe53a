#include "analysis/fit.h"

#include <cmath>
#include <cstdio>
#include <stdexcept>
#include <vector>

#include "model/dates.h"
#include "model/errors.h"
#include "model/measured_days.h"
#include "model/message_text.h"

namespace tarn {

namespace {

double mean(std::span<const double> x) {
    double sum = 0;
    for (double v : x) sum += v;
    return sum / double(x.size());
}

}  // namespace

ObservedFlows::ObservedFlows(std::vector<double> observed) : o_(std::move(observed)) {
    if (o_.empty()) return;
    mean_ = mean(o_);
    for (const double o : o_) {
        spread_ += (o - mean_) * (o - mean_);
        sum_ += o;
    }
    // Logarithms with eps = mean(obs) / 100 added; undefined where a value plus eps is not
    // positive.
    eps_ = mean_ / 100;
    logPositive_ = true;
    for (const double o : o_) logPositive_ = logPositive_ && o + eps_ > 0;
    if (!logPositive_) return;
    logO_.resize(o_.size());
    for (std::size_t i = 0; i < o_.size(); ++i) logO_[i] = std::log(o_[i] + eps_);
    logMean_ = mean(logO_);
    for (const double lo : logO_) logSpread_ += (lo - logMean_) * (lo - logMean_);
}

FitFigures goodnessOfFit(std::span<const double> s, std::span<const double> o) {
    if (s.size() != o.size()) throw std::invalid_argument("goodnessOfFit: series of different lengths");
    return fitAgainst(s, ObservedFlows(std::vector<double>(o.begin(), o.end())));
}

FitFigures fitAgainst(std::span<const double> s, const ObservedFlows& obs, bool withLog) {
    const std::span<const double> o = obs.o_;
    FitFigures f;
    if (s.size() != o.size()) throw std::invalid_argument("goodnessOfFit: series of different lengths");
    f.days = int(o.size());
    if (o.empty()) return f;
    const double n = double(o.size());
    const double ms = mean(s), mo = obs.mean_;
    const double vo = obs.spread_, sumO = obs.sum_;
    double vs = 0, cov = 0, sse = 0, sumS = 0;
    for (std::size_t i = 0; i < o.size(); ++i) {
        vs += (s[i] - ms) * (s[i] - ms);
        cov += (s[i] - ms) * (o[i] - mo);
        sse += (s[i] - o[i]) * (s[i] - o[i]);
        sumS += s[i];
    }
    const double sdS = std::sqrt(vs / n), sdO = std::sqrt(vo / n);  // population
    if (vo != 0) f.nse = 1 - sse / vo;  // the efficiency, from the sums above
    if (sdS > 0 && sdO > 0) f.r = cov / n / (sdS * sdO);
    if (sdO > 0) f.alpha = sdS / sdO;
    if (mo != 0) f.beta = ms / mo;
    if (f.r && f.alpha && f.beta)
        f.kge = 1 - std::sqrt((*f.r - 1) * (*f.r - 1) + (*f.alpha - 1) * (*f.alpha - 1) + (*f.beta - 1) * (*f.beta - 1));
    if (sumO != 0) f.pbias = 100 * (sumS - sumO) / sumO;
    f.rmse = std::sqrt(sse / n);

    // NSE of the logarithms (eps = mean(obs) / 100 added to both series), empty where a
    // value plus eps is not positive or the observed logarithms do not vary.
    if (!withLog || !obs.logPositive_) return f;
    const double eps = obs.eps_;
    double error = 0;
    for (std::size_t i = 0; i < o.size(); ++i) {
        if (!(s[i] + eps > 0)) return f;
        const double d = std::log(s[i] + eps) - obs.logO_[i];
        error += d * d;
    }
    if (obs.logSpread_ != 0) f.logNse = 1 - error / obs.logSpread_;
    return f;
}

DayRange wholeRecord(const Project& p) { return {1, p.NumDays}; }

DayRange dayRangeOf(const Project& p, const std::string& from, const std::string& to) {
    const int n = p.NumDays;
    if (n < 1) throw InputError("There are no days in the record");
    const auto first = parseDateText(p.DayDate(1, 0));
    if (!first) throw InputError("Day 1: " + quotedText(p.DayDate(1, 0)) + " is not a date");
    auto dayOf = [&](const std::string& text, int otherwise) {
        if (text.find_first_not_of(' ') == std::string::npos) return otherwise;
        const auto date = parseDateText(text);
        if (!date) throw InputError(quotedText(text) + " is not a date");
        const int d = daysSinceEpoch(*date) - daysSinceEpoch(*first) + 1;
        if (d < 1 || d > n)
            throw InputError(text + " lies outside the record, " + p.DayDate(1, 0) + " to " + p.DayDate(n, 0));
        return d;
    };
    const DayRange range{dayOf(from, 1), dayOf(to, n)};
    if (range.first > range.last) throw InputError(from + " comes after " + to);
    return range;
}

DateWindow parseDateWindow(std::string_view text, std::string_view option) {
    const auto colon = text.find(':');
    if (colon == std::string_view::npos)
        throw OptionError(std::string(option) + ": " + quotedText(text) +
                          " is not FROM:TO; give two dates, e.g. 2001-01-01:2005-12-31 (either may be left out)");
    return {std::string(text.substr(0, colon)), std::string(text.substr(colon + 1))};
}

DayRange windowDays(const Project& p, const DateWindow& window, std::string_view option) {
    try {
        return dayRangeOf(p, window.from, window.to);
    } catch (const InputError& e) {
        throw OptionError(std::string(option) + ": " + e.what());
    }
}

int parseDayCount(std::string_view text, std::string_view option) {
    const auto first = text.find_first_not_of(' ');
    const auto last = text.find_last_not_of(' ');
    const std::string_view digits = first == std::string_view::npos ? text : text.substr(first, last - first + 1);
    constexpr long kMost = 1000000000;  // days; far beyond any record
    long days = 0;
    bool ok = !digits.empty() && digits.size() <= 10;
    for (char ch : digits) {
        if (ch < '0' || ch > '9') {
            ok = false;
            break;
        }
        days = days * 10 + (ch - '0');
    }
    if (!ok || days > kMost)
        throw OptionError(std::string(option) + ": " + quotedText(text) +
                          " is not a number of days (a whole number from 0)");
    return int(days);
}

DayRange afterWarmUp(const Project& p, DayRange range, int days, std::string_view option) {
    if (days < 0)
        throw OptionError(std::string(option) + ": " + std::to_string(days) +
                          " is not a number of days (a whole number from 0)");
    const int length = range.last - range.first + 1;
    if (days >= length)
        throw OptionError(std::string(option) + ": " + std::to_string(days) + (days == 1 ? " day leaves" : " days leave") +
                          " no day of the fit window, " + p.DayDate.value(range.first, 0) + " to " +
                          p.DayDate.value(range.last, 0) + " (" + std::to_string(length) +
                          (length == 1 ? " day)" : " days)"));
    range.first += days;
    return range;
}

FitFigures runFit(const Project& p, Slot runSeries, DayRange range) {
    std::vector<double> s, o;
    const int last = std::min(range.last, p.NumDays);
    for (int d = std::max(range.first, 1); d <= last; ++d) {
        if (measuredMissing(p, d)) continue;
        s.push_back(p.Balance(runSeries, d, qty::Q));
        o.push_back(p.Balance(slot::FirstRun, d, qty::Measured));
    }
    return goodnessOfFit(s, o);
}

std::string fitText(const FitFigures& f) {
    if (f.days == 0) return "no days with a measured streamflow to compare";
    auto figure = [](const std::optional<double>& x, const char* format) {
        if (!x) return std::string("undefined");
        char buf[64];
        std::snprintf(buf, sizeof buf, format, *x);
        return std::string(buf);
    };
    return "NSE " + figure(f.nse, "%.3f") + "  KGE " + figure(f.kge, "%.3f") + " (r " + figure(f.r, "%.3f") +
           ", alpha " + figure(f.alpha, "%.3f") + ", beta " + figure(f.beta, "%.3f") + ")  log-NSE " +
           figure(f.logNse, "%.3f") + "  PBIAS " + figure(f.pbias, "%.1f %%") + "  RMSE " +
           figure(f.rmse, "%.3f mm/day") + "  (" + std::to_string(f.days) + (f.days == 1 ? " day)" : " days)");
}

}  // namespace tarn
