#pragma once

// Numbers the runs of a flow, so that what still comes for a run that was
// given up (a card that went away) is ignored: a completion wrapped by
// guard() does nothing once bump() was called after it was made.

#include <utility>

class FlowGeneration {
public:
    void bump() { ++value_; }

    template <typename Step> auto guard(Step step) const {
        return [this, made = value_, step = std::move(step)](auto... args) mutable {
            if (made == value_)
                step(std::move(args)...);
        };
    }

private:
    int value_ = 0;
};
