#pragma once
// Parameter sets from a calibration trace (or a plain CSV of the same columns), the
// behavioural ones among them, their weights and weighted quantiles over them.
#include <array>
#include <cstddef>
#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "calibration/parameters.h"
#include "model/project.h"

namespace tarn {

// One row of a set file.
struct SetRow {
    int line = 0;                     // line of the file, from 1 (the header)
    std::vector<double> x;            // one value per tunedParam, in the tunedParam's unit or as a factor
    std::optional<double> objective;  // empty: the set could not be run
};

struct SetFile {
    std::filesystem::path path;
    std::vector<TunedParam> tuned;     // from the header, in column order
    std::string objective;            // the objective column's name ("kge", ...)
    std::vector<SetRow> rows;
};

// Reads a set file: a header of parameter RANGEs (NAME=LO:HI, NAME*=LO:HI, NAME@An=LO:HI)
// and an objective column (kge, nse, log-nse, kge+log-nse or objective; of two the first
// counts), optionally `evaluation`, a second objective and `best`, as `tarnflow calibrate
// --trace` writes them; then one row per set. Throws InputError naming the file, the line
// and the column.
SetFile readSetFile(const std::filesystem::path& path);

// Refuses (InputError naming the file and the tunedParam) a set file whose tuned the project's
// parameter problem does not allow: a sub-area outside the catchment, a parameter twice.
void checkSetParams(const SetFile& sets, const Project& project);

// The fewest behavioural sets an analysis accepts.
inline constexpr std::size_t kMinBehaviouralSets = 20;

enum class Weighting { Equal, Likelihood };

struct SelectionOptions {
    std::optional<double> threshold;  // --behavioural T: objective >= T
    std::optional<int> top;           // --top N: the N best (after the threshold)
    Weighting weighting = Weighting::Equal;
};

// The behavioural sets: rows of the file, best first (ties in file order), with weights
// that add up to 1 in the same order.
struct Selection {
    std::vector<std::size_t> rows;    // indices into SetFile::rows
    std::vector<double> weights;
    std::size_t candidates = 0;       // rows with an objective
};

// Selects and weighs. Equal weights are 1/n; likelihood weights are proportional to
// objective - T and need a threshold. Throws InputError naming the file when fewer than
// kMinBehaviouralSets sets pass (saying how many did), or when every likelihood weight is 0.
Selection selectBehavioural(const SetFile& sets, const SelectionOptions& options);

// The weighted q-quantile (0 <= q <= 1) of values with weights (same length, each >= 0):
// the values sorted ascending, the weights w_i normalised to add up to 1 (values of weight
// 0 left out), each value placed at the middle of its weight, p_i = w_1 + .. + w_(i-1) +
// w_i / 2; q between p_i and p_(i+1) interpolates linearly, q below p_1 gives the lowest
// value and q above p_n the highest. Equal weights give Hazen's quantile, position
// n q + 1/2. Empty when no value has a weight above 0.
std::optional<double> weightedQuantile(std::span<const double> values, std::span<const double> weights, double q);

// The same for several q (each 0 <= q <= 1) from one sort.
std::vector<std::optional<double>> weightedQuantiles(std::span<const double> values, std::span<const double> weights,
                                                     std::span<const double> qs);

inline constexpr std::array<double, 3> kBandQuantiles{0.05, 0.50, 0.95};

// The 5 %, 50 % and 95 % quantiles of one figure over the sets, and the best set's value.
struct Spread {
    std::optional<double> q05, q50, q95, best;
};

// The spread of values[i] (weights[i]; values[0] is the best set's), the undefined values
// left out of the quantiles.
Spread spreadOf(std::span<const std::optional<double>> values, std::span<const double> weights);

}  // namespace tarn
