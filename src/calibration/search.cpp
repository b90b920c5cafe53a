#include "calibration/search.h"

#include <algorithm>
#include <cmath>
#include <memory>
#include <thread>

#include <pagmo/algorithm.hpp>
#include <pagmo/algorithms/cmaes.hpp>
#include <pagmo/algorithms/gaco.hpp>
#include <pagmo/algorithms/nsga2.hpp>
#include <pagmo/algorithms/pso_gen.hpp>
#include <pagmo/algorithms/sade.hpp>
#include <pagmo/bfe.hpp>
#include <pagmo/population.hpp>
#include <pagmo/problem.hpp>

#include "model/errors.h"

namespace tarn {

namespace {

// pagmo minimises: the fitness of a set that cannot be run, or whose objective is
// undefined, is worse than that of any set with an objective (objectives are at most 1).
constexpr double kPenalty = 1e6;

// Thrown through pagmo's evolve to end the search (budget spent or stop asked for).
struct SearchEnd {};

// The state of one search, shared by the pagmo problem and the batch evaluator: the
// evaluation count, the best so far, the Pareto archive and the buffers of each thread.
class Recorder {
public:
    Recorder(const Evaluator& ev, const SearchOptions& o, const SearchCallbacks& cb)
        : ev_(ev), cb_(cb), budget_(o.evaluations), threads_(std::max(1, o.threads)),
          nobj_(ev.objectives().size()), dim_(ev.tuned().size()) {
        for (int t = 0; t < threads_; ++t) ws_.push_back(ev.workspace());
    }

    std::size_t nobj() const { return nobj_; }
    long done() const { return done_; }
    long remaining() const { return budget_ - done_; }

    // Fitness of the candidates packed in dvs (dim values each), evaluated over the threads,
    // then recorded one by one in order.
    pagmo::vector_double batch(const pagmo::vector_double& dvs) {
        if (cb_.stop && cb_.stop->load()) {
            stopped_ = true;
            throw SearchEnd{};
        }
        const std::size_t n = dvs.size() / dim_;
        const std::size_t take = std::min<std::size_t>(n, std::size_t(std::max<long>(0, remaining())));
        if (take == 0) throw SearchEnd{};
        results_.assign(take, {});
        const auto work = [&](std::size_t t) {
            for (std::size_t i = t; i < take; i += std::size_t(threads_))
                results_[i] = ev_.evaluate(std::span<const double>(dvs.data() + i * dim_, dim_), ws_[t]);
        };
        const std::size_t helpers = std::min<std::size_t>(std::size_t(threads_), take);
        if (helpers <= 1) {
            work(0);
        } else {
            std::vector<std::jthread> pool;
            for (std::size_t t = 1; t < helpers; ++t) pool.emplace_back(work, t);
            work(0);
        }
        pagmo::vector_double f;
        f.reserve(n * nobj_);
        for (std::size_t i = 0; i < take; ++i) record(std::span<const double>(dvs.data() + i * dim_, dim_), results_[i], f);
        if (cb_.progress) cb_.progress(done_, budget_, best_);
        if (take < n) throw SearchEnd{};
        return f;
    }

    void fill(SearchResult& r) const {
        r.evaluations = done_;
        r.stopped = stopped_;
        if (nobj_ == 1) {
            if (best_) {
                r.best = bestX_;
                r.bestObjectives = {*best_};
                r.bestNumber = bestNumber_;
            }
            return;
        }
        r.pareto = archive_;
        std::sort(r.pareto.begin(), r.pareto.end(),
                  [](const ParetoPoint& a, const ParetoPoint& b) { return a.objectives[0] > b.objectives[0]; });
        const ParetoPoint* pick = nullptr;
        for (const ParetoPoint& p : r.pareto)
            if (!pick || p.objectives[0] + p.objectives[1] > pick->objectives[0] + pick->objectives[1]) pick = &p;
        if (pick) {
            r.best = pick->x;
            r.bestObjectives = pick->objectives;
            r.bestNumber = pick->number;
        }
    }

private:
    void record(std::span<const double> x, const EvaluationResult& e, pagmo::vector_double& f) {
        TraceRow row;
        row.number = ++done_;
        row.x.assign(x.begin(), x.end());
        bool complete = e.feasible;
        for (std::size_t k = 0; k < nobj_; ++k) {
            const std::optional<double> v = e.feasible ? e.objectives[k] : std::nullopt;
            row.objectives.push_back(v);
            complete = complete && v && std::isfinite(*v);
            f.push_back(v && std::isfinite(*v) ? -*v : kPenalty);
        }
        if (complete) {
            const double first = *row.objectives[0];
            if (!best_ || first > *best_) {
                best_ = first;
                bestX_ = row.x;
                bestNumber_ = row.number;
            }
            if (nobj_ == 2) archive({row.number, row.x, {first, *row.objectives[1]}});
        }
        row.best = best_;
        if (cb_.trace) cb_.trace(row);
    }

    // Keeps the sets that no other evaluated set beats on both objectives.
    void archive(ParetoPoint p) {
        const auto dominates = [](const ParetoPoint& a, const ParetoPoint& b) {
            return a.objectives[0] >= b.objectives[0] && a.objectives[1] >= b.objectives[1] &&
                   (a.objectives[0] > b.objectives[0] || a.objectives[1] > b.objectives[1]);
        };
        for (const ParetoPoint& q : archive_)
            if (dominates(q, p) || q.objectives == p.objectives) return;
        std::erase_if(archive_, [&](const ParetoPoint& q) { return dominates(p, q); });
        archive_.push_back(std::move(p));
    }

    const Evaluator& ev_;
    const SearchCallbacks& cb_;
    long budget_;
    int threads_;
    std::size_t nobj_, dim_;
    std::vector<Evaluator::Workspace> ws_;
    std::vector<EvaluationResult> results_;
    long done_ = 0;
    bool stopped_ = false;
    std::optional<double> best_;
    std::vector<double> bestX_;
    long bestNumber_ = 0;
    std::vector<ParetoPoint> archive_;
};

// The pagmo problem: the bounds of the tuned, fitness through the recorder.
struct Problem {
    std::shared_ptr<Recorder> recorder;
    pagmo::vector_double lo, hi;
    pagmo::vector_double fitness(const pagmo::vector_double& x) const { return recorder->batch(x); }
    std::pair<pagmo::vector_double, pagmo::vector_double> get_bounds() const { return {lo, hi}; }
    pagmo::vector_double::size_type get_nobj() const { return recorder->nobj(); }
};

// The batch evaluator that pagmo hands a whole population to.
struct Batch {
    std::shared_ptr<Recorder> recorder;
    pagmo::vector_double operator()(const pagmo::problem&, const pagmo::vector_double& dvs) const {
        return recorder->batch(dvs);
    }
};

struct Plan {
    pagmo::algorithm algorithm;
    unsigned population;
};

// The algorithm and its population for a budget; `memory` keeps what the algorithm has
// learnt from one call of evolve to the next.
Plan plan(const std::string& name, std::size_t dim, long budget, unsigned seed, const Batch& batch) {
    const auto generations = [&](unsigned pop) { return unsigned(std::max<long>(1, (budget - long(pop)) / long(pop))); };
    if (name == "sade") {
        const unsigned pop = unsigned(std::clamp<std::size_t>(5 * dim, 16, 40));
        return {pagmo::algorithm(pagmo::sade(generations(pop), 2u, 1u, 0.0, 0.0, true, seed)), pop};
    }
    if (name == "cmaes") {
        const unsigned pop = unsigned(std::max<std::size_t>(12, 4 + std::size_t(3 * std::log(double(dim))) * 2));
        return {pagmo::algorithm(pagmo::cmaes(generations(pop), -1, -1, -1, -1, 0.3, 0.0, 0.0, true, true, seed)), pop};
    }
    if (name == "pso_gen") {
        const unsigned pop = 32;
        pagmo::pso_gen a(generations(pop), 0.7298, 2.05, 2.05, 0.5, 5u, 2u, 4u, true, seed);
        a.set_bfe(pagmo::bfe(batch));
        return {pagmo::algorithm(a), pop};
    }
    if (name == "gaco") {
        const unsigned pop = 64;
        pagmo::gaco a(generations(pop), 63u, 1.0, 0.0, 0.01, 1u, 7u, 100000u, 100000u, 0.0, true, seed);
        a.set_bfe(pagmo::bfe(batch));
        return {pagmo::algorithm(a), pop};
    }
    if (name == "nsga2") {
        const unsigned pop = 40;
        pagmo::nsga2 a(generations(pop), 0.95, 10.0, 1.0 / double(dim), 50.0, seed);
        a.set_bfe(pagmo::bfe(batch));
        return {pagmo::algorithm(a), pop};
    }
    throw InputError("--algorithm " + name + ": not an algorithm here");
}

}  // namespace

std::vector<std::string> algorithmNames() { return {"pso_gen", "sade", "cmaes", "gaco", "nsga2"}; }

SearchResult search(const Evaluator& ev, const SearchOptions& o, const SearchCallbacks& cb) {
    const std::size_t nobj = ev.objectives().size();
    SearchResult result;
    result.algorithm = o.algorithm.empty() ? (nobj == 2 ? "nsga2" : algorithmNames().front()) : o.algorithm;
    const auto names = algorithmNames();
    if (std::find(names.begin(), names.end(), result.algorithm) == names.end())
        throw InputError("--algorithm " + result.algorithm + ": choose one of pso_gen, sade, cmaes, gaco, nsga2");
    if (nobj == 2 && result.algorithm != "nsga2")
        throw InputError("--algorithm " + result.algorithm + ": two objectives need nsga2");
    if (nobj == 1 && result.algorithm == "nsga2")
        throw InputError("--algorithm nsga2 searches two objectives: give --objective with two, e.g. kge,log-nse");

    auto recorder = std::make_shared<Recorder>(ev, o, cb);
    Problem udp{recorder, {}, {}};
    for (const TunedParam& s : ev.tuned()) {
        udp.lo.push_back(s.lo);
        udp.hi.push_back(s.hi);
    }
    const pagmo::problem problem(udp);
    const Batch batch{recorder};
    const std::size_t dim = ev.tuned().size();
    const unsigned minimum = plan(result.algorithm, dim, o.evaluations, o.seed, batch).population;
    if (o.evaluations < 2 * long(minimum))
        throw InputError("--evaluations " + std::to_string(o.evaluations) + ": " + result.algorithm + " needs at least " +
                         std::to_string(2 * minimum) + " evaluations");

    // What the budget leaves after an algorithm has converged goes to a new start.
    try {
        for (unsigned start = 0;; ++start) {
            const long left = recorder->remaining();
            Plan p = plan(result.algorithm, dim, left, o.seed + 7919u * start, batch);
            if (left < 2 * long(p.population)) break;
            pagmo::population pop(problem, pagmo::bfe(batch), p.population, o.seed + 7919u * start);
            pop = p.algorithm.evolve(pop);
            if (recorder->remaining() == left) break;
        }
    } catch (const SearchEnd&) {
    }
    recorder->fill(result);
    return result;
}

}  // namespace tarn
