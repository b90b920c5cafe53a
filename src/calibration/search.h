#pragma once
// The search for the parameter set that fits best: an evolutionary algorithm of pagmo2 over
// the bounds of the parameter problem, its candidates evaluated in parallel batches.
#include <atomic>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "calibration/evaluation.h"

namespace tarn {

// The algorithms offered by --algorithm; the first is the default. pso_gen, gaco and nsga2
// hand a whole generation to the parallel batch evaluation; sade and cmaes ask for one
// candidate at a time.
std::vector<std::string> algorithmNames();

struct SearchOptions {
    std::string algorithm;  // empty: the default (or nsga2 for two objectives)
    long evaluations = 5000;  // budget
    unsigned seed = 1;
    int threads = 1;          // evaluations at once
};

// One evaluation of the search, numbered from 1 in the order the algorithm asked for them
// (the same order whatever the number of threads).
struct TraceRow {
    long number = 0;
    std::vector<double> x;  // one value per TunedParam
    std::vector<std::optional<double>> objectives;  // empty values: infeasible or undefined
    std::optional<double> best;  // best of the first objective so far
};

// A non-dominated set of a two-objective search.
struct ParetoPoint {
    long number = 0;
    std::vector<double> x;
    std::vector<double> objectives;
};

struct SearchCallbacks {
    // After each batch: evaluations done, the budget, the best objective so far.
    std::function<void(long done, long budget, std::optional<double> best)> progress;
    // Every evaluation, in number order.
    std::function<void(const TraceRow&)> trace;
    // Set from another thread to end the search; the best so far is kept.
    const std::atomic<bool>* stop = nullptr;
};

struct SearchResult {
    std::string algorithm;
    long evaluations = 0;
    bool stopped = false;
    std::optional<long> bestNumber;     // evaluation that gave the best set
    std::vector<double> best;           // one value per TunedParam; empty when none was feasible
    std::vector<double> bestObjectives; // one per objective
    std::vector<ParetoPoint> pareto;    // two objectives: the non-dominated sets, by the first objective
};

// Runs the search. Throws InputError for an unknown algorithm, a single-objective algorithm
// with two objectives or the reverse, or a budget too small for the algorithm's population.
// With two objectives the best set is the Pareto set with the highest mean of the two.
SearchResult search(const Evaluator& evaluator, const SearchOptions& options, const SearchCallbacks& callbacks = {});

}  // namespace tarn
