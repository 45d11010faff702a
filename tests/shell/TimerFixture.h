// Shared set-up of the timer tests: a fresh headless backend with virtual
// time and a fresh dispatcher for every case.
#pragma once

#include <gtest/gtest.h>

#include "FreshStates.h"
#include "platform/headless/Headless.h"
#include "shell/MyTimer.h"

class TimerFixture : public ::testing::Test {
protected:
    // A fresh dispatcher, created by the case's first timer on the backend
    // installed then.
    TFreshTimers m_states;

    void SetUp() override { platform::headless::InstallFresh(); }

    static platform::headless::TLoop& Loop() { return platform::headless::Loop(); }

    // Lets the dispatcher's ignored first tick go by (at 10 ms), so that the
    // case starts with a dispatcher that serves every pass.
    static void SkipFirstPass() {
        TMyTimer warmUp;
        warmUp.SetInterval(1000);
        warmUp.SetEnabled(true);
        Loop().RunFor(TMultimediaTimer::kDefaultPeriod);
    }
};

// A headless loop whose posts can be refused and whose counter frequency can
// be chosen, installed as the whole backend before the case's first timer.
class TTestLoop : public platform::headless::TLoop {
public:
    bool Post(platform::Task task) override {
        if (refusePosts) return false;
        return TLoop::Post(std::move(task));
    }
    int64_t Frequency() const override { return frequency; }

    bool refusePosts = false;
    int64_t frequency = kFrequency;
};

inline TTestLoop& InstallTestLoop() {
    auto backend = std::make_unique<platform::Backend>();
    auto loop = std::make_unique<TTestLoop>();
    TTestLoop& result = *loop;
    backend->loop = std::move(loop);
    platform::Install(std::move(backend));
    return result;
}
