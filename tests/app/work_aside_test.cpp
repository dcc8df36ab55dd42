// A step run aside: the window's messages are handled until it ends, it runs on another thread,
// and what it throws reaches the command.
#include "app/work_aside.h"
#include "platform/errors.h"
#include "widgets/application.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>

namespace {

std::atomic<bool> ticked{false};

void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD) { ticked = true; }

// Waits for `done` at most two seconds, so that a step run without the window fails here, not
// by the runner's timeout.
bool Within2s(const std::atomic<bool>& done) {
    for (int i = 0; i < 200 && !done; ++i) std::this_thread::sleep_for(std::chrono::milliseconds(10));
    return done;
}

}  // namespace

TEST(WorkAside, TheWindowAnswersUntilTheStepHasEnded) {
    widgets::Application application("Work aside test");
    ticked = false;
    const UINT_PTR timer = ::SetTimer(nullptr, 0, 10, Tick);
    ASSERT_NE(timer, 0u);
    const DWORD window = ::GetCurrentThreadId();
    DWORD worker = window;
    bool sawTick = false, ended = false;
    app::WorkAside([&] {
        worker = ::GetCurrentThreadId();
        sawTick = Within2s(ticked);
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
        ended = true;
    });
    ::KillTimer(nullptr, timer);
    EXPECT_NE(worker, window);
    EXPECT_TRUE(sawTick) << "no message was handled while the step ran";
    EXPECT_TRUE(ended) << "returned before the step ended";
}

TEST(WorkAside, WhatTheStepThrowsReachesTheCaller) {
    widgets::Application application("Work aside test");
    EXPECT_THROW(app::WorkAside([] { throw platform::errors::StreamWrite(); }), platform::EWriteError);
}
