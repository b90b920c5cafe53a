#include "uncertainty/sets.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <numeric>
#include <sstream>

#include "calibration/evaluation.h"
#include "model/errors.h"
#include "model/variant.h"

namespace tarn {

namespace {

std::vector<std::string> fields(const std::string& line) {
    std::vector<std::string> out;
    std::size_t start = 0;
    while (true) {
        const auto comma = line.find(',', start);
        std::string f = line.substr(start, comma == std::string::npos ? std::string::npos : comma - start);
        const auto first = f.find_first_not_of(' ');
        const auto last = f.find_last_not_of(' ');
        out.push_back(first == std::string::npos ? std::string() : f.substr(first, last - first + 1));
        if (comma == std::string::npos) return out;
        start = comma + 1;
    }
}

bool isObjectiveName(const std::string& name) {
    if (name == "objective") return true;
    for (const Objective o : {Objective::Kge, Objective::Nse, Objective::LogNse, Objective::KgeLogNse})
        if (name == objectiveName(o)) return true;
    return false;
}

std::string number(double x) {
    char buf[32];
    std::snprintf(buf, sizeof buf, "%g", x);
    return buf;
}

}  // namespace

SetFile readSetFile(const std::filesystem::path& path) {
    const std::string file = path.string();
    std::ifstream in(path, std::ios::binary);
    if (!in) throw InputError(file + ": cannot open the set file");
    SetFile sets;
    sets.path = path;

    std::string line;
    int lineNumber = 0;
    auto next = [&] {
        if (!std::getline(in, line)) return false;
        ++lineNumber;
        if (!line.empty() && line.back() == '\r') line.pop_back();
        return true;
    };
    if (!next()) throw InputError(file + ": the set file is empty");
    const std::vector<std::string> header = fields(line);
    std::vector<int> paramColumn;
    int objectiveColumn = -1;
    for (std::size_t c = 0; c < header.size(); ++c) {
        const std::string& h = header[c];
        const std::string where = file + ": line 1, column " + std::to_string(c + 1) + " '" + h + "': ";
        if (h.find('=') != std::string::npos) {
            try {
                sets.tuned.push_back(parseTunedParam(h));
            } catch (const InputError& e) {
                const std::string why = e.what();
                throw InputError(where + why.substr(why.find(": ") + 2));
            }
            paramColumn.push_back(int(c));
        } else if (isObjectiveName(h)) {
            if (objectiveColumn < 0) {
                objectiveColumn = int(c);
                sets.objective = h;
            }
        } else if (h != "evaluation" && h != "best") {
            throw InputError(where + "is neither a parameter RANGE (NAME=LO:HI), an objective (kge, nse, log-nse, "
                                     "kge+log-nse) nor evaluation or best");
        }
    }
    if (sets.tuned.empty()) throw InputError(file + ": line 1: no column names a parameter RANGE (NAME=LO:HI)");
    if (objectiveColumn < 0) throw InputError(file + ": line 1: no objective column (kge, nse, log-nse, kge+log-nse)");

    while (next()) {
        if (line.find_first_not_of(" ,") == std::string::npos) continue;
        const std::vector<std::string> f = fields(line);
        const std::string where = file + ": line " + std::to_string(lineNumber);
        if (f.size() != header.size())
            throw InputError(where + ": " + std::to_string(f.size()) + " fields where the header has " +
                             std::to_string(header.size()));
        SetRow row;
        row.line = lineNumber;
        for (const int c : paramColumn) {
            const auto x = f[std::size_t(c)].empty() ? std::nullopt : parseNumber(f[std::size_t(c)]);
            if (!x || !std::isfinite(*x))
                throw InputError(where + ", column " + std::to_string(c + 1) + " (" + header[std::size_t(c)] + "): '" +
                                 f[std::size_t(c)] + "' is not a number");
            row.x.push_back(*x);
        }
        const std::string& o = f[std::size_t(objectiveColumn)];
        if (!o.empty()) {
            const auto x = parseNumber(o);
            if (!x) throw InputError(where + ", column " + std::to_string(objectiveColumn + 1) + " (" + sets.objective +
                                     "): '" + o + "' is not a number");
            if (std::isfinite(*x)) row.objective = *x;
        }
        sets.rows.push_back(std::move(row));
    }
    return sets;
}

void checkSetParams(const SetFile& sets, const Project& project) {
    try {
        checkTunedParams(sets.tuned, project);
    } catch (const InputError& e) {
        // "--param RANGE: why" becomes "FILE: RANGE: why".
        std::string why = e.what();
        const std::string option = "--param ";
        if (why.rfind(option, 0) == 0) why = why.substr(option.size());
        const auto again = why.find(option);
        if (again != std::string::npos) why.erase(again, option.size());
        throw InputError(sets.path.string() + ": parameter " + why + "; the sets do not fit this workbook");
    }
}

Selection selectBehavioural(const SetFile& sets, const SelectionOptions& o) {
    const std::string file = sets.path.string();
    Selection s;
    for (std::size_t i = 0; i < sets.rows.size(); ++i) {
        const auto& obj = sets.rows[i].objective;
        if (!obj) continue;
        ++s.candidates;
        if (o.threshold && !(*obj >= *o.threshold)) continue;
        s.rows.push_back(i);
    }
    std::stable_sort(s.rows.begin(), s.rows.end(),
                     [&](std::size_t a, std::size_t b) { return *sets.rows[a].objective > *sets.rows[b].objective; });
    if (o.top && s.rows.size() > std::size_t(std::max(*o.top, 0))) s.rows.resize(std::size_t(std::max(*o.top, 0)));

    if (s.rows.size() < kMinBehaviouralSets) {
        std::string rule;
        if (o.threshold) rule += " --behavioural " + number(*o.threshold);
        if (o.top) rule += " --top " + std::to_string(*o.top);
        throw InputError(file + ": " + std::to_string(s.rows.size()) + " of " + std::to_string(sets.rows.size()) +
                         " sets pass" + (rule.empty() ? std::string(" (sets with an objective)") : rule) +
                         "; at least " + std::to_string(kMinBehaviouralSets) + " behavioural sets are needed");
    }

    if (o.weighting == Weighting::Likelihood) {
        if (!o.threshold) throw InputError("--weights likelihood: needs the threshold --behavioural T");
        for (const std::size_t i : s.rows) s.weights.push_back(*sets.rows[i].objective - *o.threshold);
    } else {
        s.weights.assign(s.rows.size(), 1.0);
    }
    const double total = std::accumulate(s.weights.begin(), s.weights.end(), 0.0);
    if (!(total > 0))
        throw InputError(file + ": every behavioural set has the objective " + number(*o.threshold) +
                         " of the threshold, so every likelihood weight is 0; lower --behavioural");
    for (double& w : s.weights) w /= total;
    return s;
}

std::vector<std::optional<double>> weightedQuantiles(std::span<const double> values, std::span<const double> weights,
                                                     std::span<const double> qs) {
    std::vector<std::pair<double, double>> sorted;  // value, weight
    sorted.reserve(values.size());
    double total = 0;
    for (std::size_t i = 0; i < values.size(); ++i)
        if (weights[i] > 0) {
            sorted.emplace_back(values[i], weights[i]);
            total += weights[i];
        }
    std::vector<std::optional<double>> out(qs.size());
    if (sorted.empty()) return out;
    std::sort(sorted.begin(), sorted.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
    for (std::size_t j = 0; j < qs.size(); ++j) {
        const double q = qs[j];
        double below = 0;  // weight of the values before this one
        double prevPosition = 0, prevValue = sorted.front().first;
        out[j] = sorted.back().first;
        for (std::size_t k = 0; k < sorted.size(); ++k) {
            const double w = sorted[k].second / total;
            const double position = below + w / 2;
            const double value = sorted[k].first;
            if (q <= position) {
                out[j] = k == 0 ? value : prevValue + (value - prevValue) * (q - prevPosition) / (position - prevPosition);
                break;
            }
            below += w;
            prevPosition = position;
            prevValue = value;
        }
    }
    return out;
}

std::optional<double> weightedQuantile(std::span<const double> values, std::span<const double> weights, double q) {
    return weightedQuantiles(values, weights, std::span<const double>(&q, 1))[0];
}

Spread spreadOf(std::span<const std::optional<double>> values, std::span<const double> weights) {
    Spread s;
    if (!values.empty()) s.best = values[0];
    std::vector<double> x, w;
    for (std::size_t i = 0; i < values.size(); ++i)
        if (values[i] && std::isfinite(*values[i])) {
            x.push_back(*values[i]);
            w.push_back(weights[i]);
        }
    const auto q = weightedQuantiles(x, w, kBandQuantiles);
    s.q05 = q[0];
    s.q50 = q[1];
    s.q95 = q[2];
    return s;
}

}  // namespace tarn
