#include "input/etref_capture.h"

#include "input/input_chart.h"

namespace tarn {

EtrefScreen etrefLoad(Project& p) {
    p.EtrefDone = 0;
    p.ChartFile = p.DataFile;
    return {" Active data file for the is " + p.DataFile + " Sheet 5 of 9 ", p.DataFile,
            " Capture the reference evaporation data "};
}

EtrefCapture etrefCapture(Project& p, EtrefChoice choice) {
    EtrefCapture c;
    if (choice == EtrefChoice::None) return c;
    const bool monthly = choice == EtrefChoice::Monthly;
    // A daily capture after a monthly one must not leave the monthly flag behind: the chart
    // would read the daily column as a twelve-month table.
    p.EtrefMonthly = monthly ? 1 : 0;
    p.EtrefDone = 1;
    c.chart.colDate = "D";
    c.chart.colData = monthly ? "AD" : "F";
    c.chart.title = monthly ? "Monthly reference evapotranspiration   (mm/day)"
                            : "Daily reference evapotranspiration   (mm/day)";
    c.chart.series = 2;
    c.chart.loadEtref = true;
    requestInputChart(p, c.chart);
    c.result.ok = true;
    c.result.status = monthly ? "Monthly reference evapotranspiration data read OK!"
                              : "Daily reference evapotranspiration data read OK!";
    return c;
}

StepResult etrefNext(const Project& p) {
    if (p.EtrefDone == 0) return {false, " Capture reference evapotranspiration data first", "cmdCapEtrefData", 0, {}};
    return {true, {}, {}, 0, {}};
}

}  // namespace tarn
