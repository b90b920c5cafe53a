#pragma once
// Global sensitivity of a model output to its parameters over their bounds: Sobol's first
// order and total indices (Saltelli's sampling, Jansen's estimators, bootstrap confidence
// intervals) and Morris's elementary effects, both on GSL's Sobol sequence.
#include <functional>
#include <span>
#include <vector>

namespace tarn {

// The output of the model for parameter values x (one per bound, in their units). Called
// from several threads at once; `thread` (0 .. threads - 1) picks that thread's buffers.
using SensitivityModel = std::function<double(std::span<const double> x, unsigned thread)>;

struct Bounds {
    double lo = 0, hi = 1;
};

struct SobolIndex {
    double first = 0, firstLo = 0, firstHi = 0;  // S_i and its confidence interval
    double total = 0, totalLo = 0, totalHi = 0;  // S_Ti and its confidence interval
};

struct SobolOptions {
    int samples = 1024;        // N, base samples: N (k + 2) model runs
    int bootstrap = 1000;      // resamples for the confidence intervals
    double confidence = 0.95;
    unsigned seed = 1;         // of the bootstrap resampling
    unsigned threads = 1;
};

// The greatest number of parameters of a Sobol analysis (GSL's sequence has 40 dimensions,
// two per parameter).
inline constexpr int kMaxSobolParameters = 20;

// Matrices A and B from the first and second k dimensions of the Sobol sequence (its first
// point, the corner 0, left out), A_B^i (A with column i of B); the variance from f(A) and
// f(B) together; S_i = (V - sum (f(B) - f(A_B^i))^2 / 2N) / V and S_Ti = sum (f(A) -
// f(A_B^i))^2 / 2N / V; the intervals from resampling the N rows. Throws InputError for
// fewer than 2 samples, no or too many parameters, or an output without variance.
std::vector<SobolIndex> sobolIndices(const SensitivityModel& model, const std::vector<Bounds>& bounds,
                                     const SobolOptions& options);

struct MorrisIndex {
    double muStar = 0;  // mean of |elementary effect|, output per whole range of the parameter
    double mu = 0;      // mean of the elementary effects
    double sigma = 0;   // their standard deviation (n - 1)
};

struct MorrisOptions {
    int trajectories = 50;   // r: r (k + 1) model runs
    int levels = 4;          // p, even; the step is p / (2 (p - 1)) of the range
    unsigned seed = 1;       // of the order in which each trajectory moves the parameters
    unsigned threads = 1;
};

// Morris's screening: each trajectory starts on the level grid at a point of the Sobol
// sequence and moves each parameter once by the step, up from the lower half of the levels
// and down from the upper half, in a shuffled order. Throws InputError for fewer than 2
// trajectories, an odd or too small number of levels, or no parameters.
std::vector<MorrisIndex> morrisIndices(const SensitivityModel& model, const std::vector<Bounds>& bounds,
                                       const MorrisOptions& options);

}  // namespace tarn
