#include "core/StepLimit.h"

#include <cstdio>

bool StepLimit::Next() {
    ++steps_;
    if (steps_ <= kStepLimit) return true;
    std::printf("%s after %d steps\n", what_, kStepLimit);
    return false;
}
