#include "analysis/result_tables.h"

#include "analysis/annual.h"
#include "analysis/seven_day.h"

namespace tarn {

void buildResultTables(Project& p) {
    chooseAnnualScale(p);
    for (YearType type : {YearType::Water, YearType::Calendar}) buildAnnualVolumes(p, type);
    for (YearType type : {YearType::Water, YearType::Calendar}) buildAnnualDepths(p, type);
    chooseMinFlowScale(p);
    for (YearType type : {YearType::Water, YearType::Calendar}) findSevenDayMinima(p, type);
}

}  // namespace tarn
