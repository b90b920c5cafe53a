#include "output/chart_csv.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>
#include <map>

namespace tarn {

namespace {

std::string field(const std::string& text) {
    if (text.find_first_of(",\"\n\r") == std::string::npos) return text;
    std::string out = "\"";
    for (char ch : text) out += ch == '"' ? std::string("\"\"") : std::string(1, ch);
    return out + "\"";
}

std::string number(double x) {
    if (!std::isfinite(x)) return {};
    char buf[32];
    const auto end = std::to_chars(buf, buf + sizeof buf, x).ptr;
    return std::string(buf, end);
}

}  // namespace

std::string chartCsv(const ChartData& data, const std::string& labelTitle) {
    std::string out = field(labelTitle);
    for (int c = 1; c <= data.columnCount(); ++c)
        out += "," + field(std::size_t(c - 1) < data.names.size() ? data.names[std::size_t(c - 1)] : std::string());
    out += '\n';
    for (int r = 0; r < data.rows(); ++r) {
        out += field(data.labels[std::size_t(r)]);
        for (int c = 1; c <= data.columnCount(); ++c) {
            const auto& column = data.columns[std::size_t(c - 1)];
            out += "," + (std::size_t(r) < column.size() ? number(column[std::size_t(r)]) : std::string());
        }
        out += '\n';
    }
    return out;
}

ChartData durationChartData(const DurationCurves& curves) {
    // The percents of all curves, each once, ascending; the row each falls on.
    std::map<double, int> rowOf;
    for (const DurationCurve& c : curves.curves)
        for (double p : c.percents) rowOf.emplace(p, 0);
    ChartData data;
    for (auto& [percent, row] : rowOf) {
        row = data.rows();
        data.labels.push_back(number(percent));
    }
    for (const DurationCurve& c : curves.curves) {
        data.names.push_back(c.name);
        std::vector<double> column(std::size_t(data.rows()), std::numeric_limits<double>::quiet_NaN());
        for (std::size_t i = 0; i < c.percents.size() && i < c.flows.size(); ++i)
            column[std::size_t(rowOf[c.percents[i]])] = c.flows[i];
        data.columns.push_back(std::move(column));
    }
    return data;
}

}  // namespace tarn
