#pragma once
// The one rule of the soil and the vegetation class screens: a class chosen for a sub-area
// hands its values to the sub-area's parameters.
#include "input/step_result.h"
#include "model/project.h"

namespace tarn {

// selected[s] becomes the class chosen for sub-area s (0 when none, or out of 1..5), and a
// chosen class's `count` values classes(c - 1, e) become the sub-area's parameters from
// `first` on. Sub-areas without a choice keep their parameters.
template <class ClassTable>
void applyClassChoice(Project& p, const ClassChoice& choice, std::array<int, 11>& selected,
                      const ClassTable& classes, Param first, int count) {
    for (int s = 1; s <= kSubAreas; ++s) {
        const int c = choice[std::size_t(s - 1)];
        selected[std::size_t(s)] = c >= 1 && c <= 5 ? c : 0;
        if (selected[std::size_t(s)] == 0) continue;
        for (int e = 0; e < count; ++e) p.SubPara(s - 1, paramAfter(first, e)) = classes(c - 1, e);
    }
}

}  // namespace tarn
