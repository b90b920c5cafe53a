#include "support/project_builder.h"

#include <fstream>
#include <sstream>
#include <stdexcept>

#include "model/dates.h"

#ifndef TARNFLOW_EXAMPLES_DIR
#error "TARNFLOW_EXAMPLES_DIR must name the examples folder"
#endif

namespace tarn::testing {

void setSubArea(Project& p, int s, const SubAreaSetup& a) {
    p.SubArea[std::size_t(s)] = a.area;
    p.SubAreaPct[std::size_t(s)] = a.pct;
    p.RainFactor[std::size_t(s)] = a.rainFactor;
    const int r = s - 1;
    p.SubPara(r, para::Area) = a.pct;
    p.SubPara(r, para::RainScale) = a.rainFactor;
    p.SubPara(r, para::TAW) = a.TAW;
    p.SubPara(r, para::RAW) = a.RAW;
    p.SubPara(r, para::TopMax) = a.TopMax;
    p.SubPara(r, para::IF) = a.IF;
    p.SubPara(r, para::Kc) = a.Kc;
    p.SubPara(r, para::St0) = a.St0;
    p.SubPara(r, para::Sw0) = a.Sw0;
    p.SubPara(r, para::B0) = a.B0;
    p.SubPara(r, para::BFI) = a.BFI;
    p.SubPara(r, para::K) = a.K;
}

Project makeProject(std::chrono::year_month_day start, const std::vector<double>& rain,
                    const std::vector<double>& etref, const std::vector<SubAreaSetup>& areas) {
    Project p;
    const int n = int(rain.size());
    p.resizeDays(n);
    const int first = daysSinceEpoch(start);
    for (int d = 1; d <= n; ++d) {
        p.DayDate(d, 0) = dateText(dateFromDays(first + d - 1));
        p.Balance(slot::Inputs, d, qty::P) = rain[std::size_t(d - 1)];
        p.Balance(slot::Inputs, d, qty::ETr) = etref[std::size_t(d - 1)];
    }
    for (std::size_t i = 0; i < areas.size(); ++i) setSubArea(p, int(i) + 1, areas[i]);
    return p;
}

Project fortyShowerDays() {
    std::vector<double> rain, etref;
    for (int i = 0; i < 40; ++i) {
        rain.push_back(i % 4 == 0 ? 18 : 0.5);
        etref.push_back(2);
    }
    Project p = makeProject(std::chrono::year{2004} / 3 / 1, rain, etref, {SubAreaSetup{}});
    p.TotalArea = 100;
    return p;
}

DailySeries colnRecord() {
    const std::string path = std::string(TARNFLOW_EXAMPLES_DIR) + "/data/coln_bibury.csv";
    std::ifstream in(path);
    if (!in) throw std::runtime_error("cannot open " + path);
    DailySeries series;
    std::string line;
    std::getline(in, line);  // header
    while (std::getline(in, line)) {
        if (line.empty()) continue;
        std::istringstream fields(line);
        std::string date, rain, etref, flow;
        std::getline(fields, date, ',');
        std::getline(fields, rain, ',');
        std::getline(fields, etref, ',');
        std::getline(fields, flow, ',');
        series.dates.push_back(date);
        series.rain.push_back(std::stod(rain));
        series.etref.push_back(std::stod(etref));
        series.flow.push_back(std::stod(flow));
    }
    return series;
}

}  // namespace tarn::testing
