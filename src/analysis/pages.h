#pragma once
// The texts of the analysis screens' boxes, one page at a time: what each box of the annual
// and seven-day tables shows for the years of a page, in the screens' number patterns and
// display scales, and the windows' captions. The screens copy these texts into their boxes.
#include <array>
#include <string>

#include "analysis/annual.h"
#include "model/project.h"

namespace tarn {

// A box the table leaves empty.
inline constexpr const char* kBlankBox = " ";

enum class AnalysisForm { Monthly, AnnualVolume, AnnualDepth, SevenDay, Period };

// The window caption: the active data file and the sheet number of the form.
std::string analysisCaption(const Project& project, AnalysisForm form);

// Sub-areas 1..10 in rows 0..9, their areas in ha through "####", and the total area as
// it was given.
struct AreaTexts {
    std::array<std::string, 10> subAreas;
    std::string total;
};
AreaTexts areaTexts(const Project& project);

// A sub-area table: [year column 0..7][sub-area row 0..9].
using SubAreaTable = std::array<std::array<std::string, 10>, 8>;

// The annual volume table (frmAnnual). Boxes 0..7 hold the first run; after a rerun boxes
// 8..15 the last run; the measured volume stands under each block.
struct AnnualVolumeTexts {
    std::array<std::string, 16> years;     // txtFlow1A: year labels
    std::array<std::string, 16> volumes;   // txtFlow2A: catchment volume through "#"
    std::array<std::string, 16> measured;  // txtYearlyMeas: measured volume through "#"
    SubAreaTable first, last;              // txtflow3A..txtflow10A, txtflow11A..txtflow18A
};

// Column k shows year columns[k] (0: blank) of the year type's tables; sub-area column c
// shows year subYears[c]. Volumes are divided by AnnScale. A year the year type's table
// does not hold stays blank. `positiveSubAreasOnly`: a sub-area cell is written only for a
// volume above 0 (a page turned), else for every year (Show me).
AnnualVolumeTexts annualVolumeTexts(const Project& project, YearType type, const YearColumns& columns,
                                    const YearColumns& subYears, bool positiveSubAreasOnly);

// The annual depth table (frmAnnualTotmm), mm through "###".
struct AnnualDepthTexts {
    std::array<std::string, 16> years;     // txtAnTotYear
    std::array<std::string, 16> depths;    // txtAnTotmm
    std::array<std::string, 16> measured;  // txtAnTotMeasmm
};
AnnualDepthTexts annualDepthTexts(const Project& project, YearType type, const YearColumns& columns);

// The seven-day minimum table (frmMiniFlows). Boxes 0..7 the first run; after a rerun 8..15
// the last run. The measured minima stand in boxes 17..24 of dates and minima when a
// measured series was captured, and again in 25..32 after a rerun; box 16 is not used.
struct SevenDayTexts {
    std::array<std::string, 16> years;    // txtYear: the calendar year the year starts in
    std::array<std::string, 33> dates;    // txtFlow1A: date of the minimum
    std::array<std::string, 33> minima;   // txtFlow2A: volume / FlowScale through "###00";
                                          // measured mm/day through "###00.00"
    std::array<std::string, 16> depths;   // txtFlowTotal: the run's mean depth that day, "###00.00"
    SubAreaTable first, last;             // sub-area volumes that day / FlowScale, "##0"
};

// Column k (and sub-area column k) shows year columns[k] (0: blank) of the last search,
// which was of year type `type`. `flowingSubAreasOnly`: a sub-area cell is written only
// when the sub-area's daily volume on the minimum day is above 0 (a page turned), else
// always (Show me).
SevenDayTexts sevenDayTexts(const Project& project, YearType type, const YearColumns& columns,
                            bool flowingSubAreasOnly);

}  // namespace tarn
