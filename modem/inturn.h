#pragma once

// Runs asynchronous steps one after another: `step(i, next)` for i = 0 to
// count - 1, each started when the one before called its `next`; then
// `done`. A step that never calls `next` ends the run there. A step may call
// `next` before it returns (it had nothing to wait for): the run then goes on
// in a loop, not deeper into the stack.

#include <functional>
#include <memory>

class InTurn : public std::enable_shared_from_this<InTurn> {
public:
    using Step = std::function<void(int, std::function<void()>)>;

    static void run(int count, Step step, std::function<void()> done) {
        std::shared_ptr<InTurn>(new InTurn(count, std::move(step), std::move(done)))->advance();
    }

private:
    InTurn(int count, Step step, std::function<void()> done)
        : count_(count), step_(std::move(step)), done_(std::move(done)) {}

    void advance() {
        if (stepping_) {
            again_ = true;
            return;
        }
        stepping_ = true;
        do {
            again_ = false;
            if (at_ >= count_) {
                stepping_ = false;
                if (done_)
                    done_();
                return;
            }
            const int i = at_++;
            step_(i, [self = shared_from_this()] { self->advance(); });
        } while (again_);
        stepping_ = false;
    }

    int count_;
    Step step_;
    std::function<void()> done_;
    int at_ = 0;
    bool stepping_ = false; // a step is running
    bool again_ = false;    // it called `next` before it returned
};
