// TTumblixAnimation: a queue of timed steps, played one after another on a
// software timer, so the Tumblix window animates weights and bombs without
// blocking its message loop. Each step runs after the wait given with it.
// Steps added while the queue plays are appended; Finish runs every step
// left at once (the window is closing or a new game starts).
#pragma once

#include <deque>
#include <functional>
#include <memory>

class TMyTimer;

class TTumblixAnimation {
public:
    TTumblixAnimation();
    ~TTumblixAnimation();
    TTumblixAnimation(const TTumblixAnimation&) = delete;
    TTumblixAnimation& operator=(const TTumblixAnimation&) = delete;

    // Runs step waitMs after the step before it (or after now).
    void Add(int waitMs, std::function<void()> step);
    bool Running() const { return !m_steps.empty(); }
    // Runs what is left without waiting.
    void Finish();

private:
    struct TStep {
        int WaitMs = 0;
        std::function<void()> Run;
    };
    void Next();
    void Arm();

    std::deque<TStep> m_steps;
    std::unique_ptr<TMyTimer> m_timer;
};
