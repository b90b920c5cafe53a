#pragma once
// The rules of one day of one sub-area's water balance: from yesterday's stores and
// today's inputs to the fifteen quantities of the day. The full run and the lean
// evaluation of a calibration both call this one function, so for the same parameters they
// give the same numbers to the last bit.

#include "model/units.h"

namespace tarn {

// The parameters of one sub-area that the daily rules use.
struct DayParams {
    double TAW = 0;         // total available water, mm
    double RAW = 0;         // readily available water, mm
    double TopMax = 0;      // toplayer store capacity, mm
    double IF = 0;          // interception fraction
    double Kc = 0;          // crop coefficient
    double BFI = 0;         // baseflow index, fraction of the surplus to the baseflow store
    double K = 0;           // recession coefficient, fraction of the store kept per day
    double rainFactor = 0;  // rainfall scaling factor, percent
};

// The stores at the end of a day (day 0: the initial contents, BF = 0).
struct DayStores {
    double St = 0;  // toplayer water store, mm
    double Sw = 0;  // whole-profile water store, mm
    double B = 0;   // baseflow store content, mm
    double BF = 0;  // baseflow of the day, mm/day
};

// The quantities of one day, all mm/day except the stores St, Sw and B (mm).
struct DayQuantities {
    double P, ETr, PET, Ei, Tt, Tw, Ta, St, Sw, Fi, R, B, BF, QF, Q;

    DayStores stores() const { return {St, Sw, B, BF}; }
};

// a / b, or 0 where b is 0. Only reachable for sub-areas without area, whose parameters are
// not checked; it keeps their unused series finite.
inline double guardedQuotient(double a, double b) { return b != 0.0 ? a / b : 0.0; }

// One day: `rain` is the catchment rainfall (mm/day, before the sub-area's scaling),
// `etref` the reference evapotranspiration (mm/day), `y` the stores of the day before and
// `firstDay` whether this is day 1 (whose transpiration limit follows the initial deficit
// and whose baseflow store has no baseflow of the day before to give up). Comparisons are
// strict as the rules state them; the order of operations is part of the result.
inline DayQuantities dayRule(const DayParams& a, const DayStores& y, double rain, double etref,
                             bool firstDay) {
    DayQuantities q;
    q.P = rain * a.rainFactor / kPercent;
    q.ETr = etref;
    q.PET = a.Kc * q.ETr;
    q.Ei = a.IF * q.P;
    q.Tt = 0.0;
    if (y.St > 0) q.Tt = y.St < q.PET ? y.St : q.PET;
    if (y.Sw > a.RAW)
        q.Tw = q.PET;
    else if (firstDay)
        q.Tw = guardedQuotient(q.PET * (a.TAW - y.Sw), a.TAW - a.RAW);
    else
        q.Tw = guardedQuotient(q.PET * y.Sw, a.RAW);
    q.Ta = q.Tt > q.Tw ? q.Tt : q.Tw;
    const double X = q.P + y.Sw - q.Ei - q.Ta;
    q.Fi = X > a.TAW ? X - a.TAW : 0.0;
    if (y.St < 0) {
        q.St = 0.0;
    } else {
        const double Y = q.P + y.St - q.Ei - q.Tt - q.Fi;
        q.St = Y > a.TopMax ? a.TopMax : (Y >= 0 ? Y : 0.0);
    }
    const double Z = q.P + y.Sw - q.Ei - q.Ta - q.Fi;
    q.Sw = Z > a.TAW ? a.TAW : Z;
    q.R = a.BFI * q.Fi;
    q.B = firstDay ? q.R + y.B : q.R + y.B - y.BF;
    q.BF = (1 - a.K) * q.B;
    q.QF = (1 - a.BFI) * q.Fi;
    q.Q = q.QF + q.BF;
    return q;
}

}  // namespace tarn
