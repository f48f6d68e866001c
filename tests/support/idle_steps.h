// Test support: plays a user on the headless display, one step each time the
// program would wait for input with nothing to do.
#pragma once

#include <cstddef>
#include <functional>
#include <memory>
#include <utility>
#include <vector>

#include "headless.h"

namespace test_support {

// Steps left over when the program stops waiting are never run.
inline void when_idle(std::vector<std::function<void()>> steps)
{
    auto remaining = std::make_shared<std::vector<std::function<void()>>>(std::move(steps));
    auto next = std::make_shared<size_t>(0);
    qz370::headless::set_idle_hook([remaining, next] {
        if (*next < remaining->size()) {
            (*remaining)[(*next)++]();
        }
    });
}

}  // namespace test_support
