#include "uncertainty/sensitivity.h"

#include <gsl/gsl_qrng.h>

#include <algorithm>
#include <cmath>
#include <memory>
#include <random>

#include "model/errors.h"
#include "uncertainty/parallel.h"

namespace tarn {

namespace {

// GSL's Sobol sequence of `dims` dimensions.
class SobolSequence {
public:
    explicit SobolSequence(unsigned dims) : q_(gsl_qrng_alloc(gsl_qrng_sobol, dims), gsl_qrng_free), point_(dims) {
        if (!q_) throw InputError("the Sobol sequence of " + std::to_string(dims) + " dimensions is not available");
    }
    const std::vector<double>& next() {
        gsl_qrng_get(q_.get(), point_.data());
        return point_;
    }

private:
    std::unique_ptr<gsl_qrng, void (*)(gsl_qrng*)> q_;
    std::vector<double> point_;
};

double scaled(const Bounds& b, double u) { return b.lo + u * (b.hi - b.lo); }

// The lower and upper ends of the central `confidence` share of the values.
std::pair<double, double> interval(std::vector<double> v, double confidence) {
    std::sort(v.begin(), v.end());
    const double tail = (1 - confidence) / 2;
    auto at = [&](double q) {
        const double h = double(v.size() - 1) * q;
        const auto lo = std::size_t(std::floor(h));
        const std::size_t hi = std::min(lo + 1, v.size() - 1);
        return v[lo] + (h - double(lo)) * (v[hi] - v[lo]);
    };
    return {at(tail), at(1 - tail)};
}

}  // namespace

std::vector<SobolIndex> sobolIndices(const SensitivityModel& model, const std::vector<Bounds>& bounds,
                                     const SobolOptions& o) {
    const std::size_t k = bounds.size();
    if (k == 0) throw InputError("a sensitivity analysis needs at least one --param");
    if (k > std::size_t(kMaxSobolParameters))
        throw InputError("a Sobol analysis takes at most " + std::to_string(kMaxSobolParameters) + " parameters, not " +
                         std::to_string(k));
    if (o.samples < 2) throw InputError("--samples " + std::to_string(o.samples) + ": give at least 2");
    const std::size_t n = std::size_t(o.samples);

    // Rows of A, B and each A_B^i, in parameter units: run r is row r % n of matrix r / n,
    // matrix 0 = A, 1 = B, 2 + i = A_B^i.
    SobolSequence sequence{unsigned(2 * k)};
    sequence.next();  // the corner 0
    std::vector<double> a(n * k), b(n * k);
    for (std::size_t j = 0; j < n; ++j) {
        const std::vector<double>& u = sequence.next();
        for (std::size_t i = 0; i < k; ++i) {
            a[j * k + i] = scaled(bounds[i], u[i]);
            b[j * k + i] = scaled(bounds[i], u[k + i]);
        }
    }
    std::vector<double> y(n * (k + 2));
    std::vector<std::vector<double>> x(std::max(1u, o.threads), std::vector<double>(k));
    parallelFor(y.size(), o.threads, [&](std::size_t r, unsigned thread) {
        const std::size_t matrix = r / n, j = r % n;
        std::vector<double>& point = x[thread];
        const double* source = matrix == 1 ? &b[j * k] : &a[j * k];
        std::copy(source, source + k, point.begin());
        if (matrix >= 2) point[matrix - 2] = b[j * k + matrix - 2];
        y[r] = model(point, thread);
    });
    const double* fa = &y[0];
    const double* fb = &y[n];

    // The indices of the rows `rows` (a resample, or 0..n-1).
    auto indices = [&](const std::vector<std::size_t>& rows, std::vector<SobolIndex>& out) {
        double sum = 0, sum2 = 0;
        for (const std::size_t j : rows) {
            sum += fa[j] + fb[j];
            sum2 += fa[j] * fa[j] + fb[j] * fb[j];
        }
        const double m = double(2 * rows.size());
        const double mean = sum / m;
        const double variance = sum2 / m - mean * mean;
        out.assign(k, {});
        for (std::size_t i = 0; i < k; ++i) {
            const double* fab = &y[(2 + i) * n];
            double first = 0, total = 0;
            for (const std::size_t j : rows) {
                first += (fb[j] - fab[j]) * (fb[j] - fab[j]);
                total += (fa[j] - fab[j]) * (fa[j] - fab[j]);
            }
            const double half = double(2 * rows.size());
            out[i].first = (variance - first / half) / variance;
            out[i].total = total / half / variance;
        }
        return variance;
    };
    std::vector<std::size_t> all(n);
    for (std::size_t j = 0; j < n; ++j) all[j] = j;
    std::vector<SobolIndex> result;
    const double variance = indices(all, result);
    if (!(variance > 0) || !std::isfinite(variance))
        throw InputError("the output does not vary over the bounds of the parameters; there is nothing to apportion");

    // Bootstrap: resample the rows with replacement.
    std::mt19937_64 random(o.seed);
    std::uniform_int_distribution<std::size_t> pick(0, n - 1);
    std::vector<std::vector<double>> firsts(k), totals(k);
    std::vector<std::size_t> rows(n);
    std::vector<SobolIndex> one;
    for (int r = 0; r < o.bootstrap; ++r) {
        for (std::size_t& j : rows) j = pick(random);
        indices(rows, one);
        for (std::size_t i = 0; i < k; ++i) {
            firsts[i].push_back(one[i].first);
            totals[i].push_back(one[i].total);
        }
    }
    for (std::size_t i = 0; i < k && o.bootstrap > 1; ++i) {
        std::tie(result[i].firstLo, result[i].firstHi) = interval(firsts[i], o.confidence);
        std::tie(result[i].totalLo, result[i].totalHi) = interval(totals[i], o.confidence);
    }
    return result;
}

std::vector<MorrisIndex> morrisIndices(const SensitivityModel& model, const std::vector<Bounds>& bounds,
                                       const MorrisOptions& o) {
    const std::size_t k = bounds.size();
    if (k == 0) throw InputError("a sensitivity analysis needs at least one --param");
    if (k > 40) throw InputError("a Morris analysis takes at most 40 parameters, not " + std::to_string(k));
    if (o.trajectories < 2) throw InputError("--samples " + std::to_string(o.trajectories) + ": give at least 2");
    if (o.levels < 2 || o.levels % 2 != 0) throw InputError("Morris levels " + std::to_string(o.levels) + ": give an even number");
    const double p = o.levels;
    const double step = p / (2 * (p - 1));  // of the range
    const std::size_t r = std::size_t(o.trajectories);

    // The points of every trajectory on the unit cube: k + 1 points each, point m + 1
    // differing from point m in parameter order[m].
    SobolSequence sequence{unsigned(k)};
    sequence.next();
    std::mt19937_64 random(o.seed);
    std::vector<double> unit(r * (k + 1) * k);
    std::vector<std::size_t> moved(r * k);
    std::vector<std::size_t> order(k);
    for (std::size_t t = 0; t < r; ++t) {
        const std::vector<double>& u = sequence.next();
        double* start = &unit[t * (k + 1) * k];
        for (std::size_t i = 0; i < k; ++i) {
            const double level = std::min(std::floor(u[i] * p), p - 1);  // 0 .. p - 1
            start[i] = level / (p - 1);
        }
        for (std::size_t i = 0; i < k; ++i) order[i] = i;
        std::shuffle(order.begin(), order.end(), random);
        for (std::size_t m = 0; m < k; ++m) {
            const double* from = start + m * k;
            double* to = start + (m + 1) * k;
            std::copy(from, from + k, to);
            const std::size_t i = order[m];
            to[i] = from[i] + step <= 1 + 1e-12 ? from[i] + step : from[i] - step;
            moved[t * k + m] = i;
        }
    }
    std::vector<double> y(r * (k + 1));
    std::vector<std::vector<double>> x(std::max(1u, o.threads), std::vector<double>(k));
    parallelFor(y.size(), o.threads, [&](std::size_t run, unsigned thread) {
        const double* u = &unit[run * k];
        for (std::size_t i = 0; i < k; ++i) x[thread][i] = scaled(bounds[i], u[i]);
        y[run] = model(x[thread], thread);
    });

    std::vector<std::vector<double>> effects(k);
    for (std::size_t t = 0; t < r; ++t)
        for (std::size_t m = 0; m < k; ++m) {
            const std::size_t i = moved[t * k + m];
            const std::size_t at = t * (k + 1) + m;
            const double du = unit[(at + 1) * k + i] - unit[at * k + i];
            effects[i].push_back((y[at + 1] - y[at]) / du);
        }
    std::vector<MorrisIndex> out(k);
    for (std::size_t i = 0; i < k; ++i) {
        const std::vector<double>& e = effects[i];
        double sum = 0, sumAbs = 0;
        for (const double v : e) {
            sum += v;
            sumAbs += std::abs(v);
        }
        out[i].mu = sum / double(e.size());
        out[i].muStar = sumAbs / double(e.size());
        double ss = 0;
        for (const double v : e) ss += (v - out[i].mu) * (v - out[i].mu);
        out[i].sigma = std::sqrt(ss / double(e.size() - 1));
    }
    return out;
}

}  // namespace tarn
