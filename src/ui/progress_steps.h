#pragma once
// A progress callback that passes on only the steps a bar can show: the model reports every
// day of every sub-area, and a progress bar moved 400000 times takes longer than the run.
#include <cstdint>
#include <utility>

#include "model/run_model.h"

namespace tarn::ui {

// Passes a report on when it reaches the next of `steps` equal parts of its maximum.
inline ProgressFn inSteps(ProgressFn progress, int steps = 200) {
    if (!progress) return progress;
    return [progress = std::move(progress), steps, last = std::int64_t(-1)](int value, int maximum) mutable {
        const std::int64_t step = maximum > 0 ? std::int64_t(value) * steps / maximum : value;
        if (step == last) return;
        last = step;
        progress(value, maximum);
    };
}

}  // namespace tarn::ui
