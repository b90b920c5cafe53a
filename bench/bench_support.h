#pragma once
// What the benchmark programs share: the project workbooks they read, and the figures of
// the timed (not Google Benchmark) programs.
#include <filesystem>
#include <string>
#include <vector>

#include "workbook/xlsx_builder.h"

namespace tarn::bench {

// The header and parameter block of a project on `sheet`: a 10000 ha catchment of ten
// sub-areas of 10 % each with their parameters, the soil and vegetation class tables and
// the baseflow cells.
void addProjectBlock(XlsxBuilder& b, int sheet);

// `days` days from 1900-01-01 in the daily columns from row 25: a rain of showers and dry
// spells (E), a measured streamflow receding between them (C), a seasonal ETref (F); and
// the twelve monthly ETref values with their labels (AC5:AD16).
void addDailyRecord(XlsxBuilder& b, int sheet, int days);

// Times in milliseconds of one measured action, repeated.
struct Figures {
    std::vector<double> ms;
    void add(double v) { ms.push_back(v); }
    double median() const;
    double max() const;
    // "median ... ms  min ...  max ...  (n=...)"
    std::string text() const;
};

}  // namespace tarn::bench
