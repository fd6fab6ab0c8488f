// The update walk every world list shares.
#pragma once

#include <cstddef>

#include "state/application.h"

// Steps each object by index; a dead one is deleted in place and the same index
// looked at again. The count is read anew each time, so objects appended during
// the walk are stepped in the same walk.
template <typename T, typename StepFn>
void UpdateObjects(ObjectList<T>& list, StepFn&& step) {
    size_t i = 0;
    while (i < list.size()) {
        step(*list[i]);
        if (list[i]->Dead) {
            list.erase(list.begin() + static_cast<std::ptrdiff_t>(i));
        } else {
            ++i;
        }
    }
}
