// SIGTERM, SIGINT and SIGHUP as close requests through the program's own loop, absorbed on the way out.
#include <gtest/gtest.h>
#include <signal.h>

#include "platform/Backend.h"
#include "platform/Input.h"
#include "platform/Messages.h"
#include "platform/Runtime.h"
#include "platform/TerminationSignals.h"
#include "tests/support/PlatformFixture.h"

namespace {

class TerminationSignalsTest : public PlatformTest {
protected:
    void SetUp() override { PlatformTest::SetUp(); ASSERT_TRUE(platform::RouteTerminationSignals()); }
    void TearDown() override { platform::StopRoutingTerminationSignals(); PlatformTest::TearDown(); }
};

// Which window a close request reaches: tests/platform/MessageQueueTest.
TEST_F(TerminationSignalsTest, EachSignalBecomesAWmCloseSignalsInARowAreOneRequestAndOneBeforeAnyWindowWaits) {
    for (int signo : {SIGTERM, SIGINT, SIGHUP, 0}) {
        RecordingWindow w(/*visible=*/true);
        w.onMessage = [](UINT, WPARAM, LPARAM) -> LRESULT { return 0; };
        for (int s : signo ? std::vector<int>{signo} : std::vector<int>{SIGTERM, SIGINT, SIGTERM}) ASSERT_EQ(raise(s), 0);
        EXPECT_EQ(platform::PendingInputCount(), 0u) << "the handler itself must only write to the pipe";
        RecordingWindow::DrainQueue();
        EXPECT_EQ(w.Of(WM_CLOSE).size(), 1u) << "signal " << signo;
    }
    // A request before any window waits for the loop, also after a platform reset.
    platform::ResetAll();
    platform::SetBackend(&backend);
    EXPECT_TRUE(platform::WatchedDescriptors().empty());
    ASSERT_TRUE(platform::RouteTerminationSignals());
    EXPECT_EQ(platform::WatchedDescriptors().size(), 1u);
    raise(SIGHUP);
    backend.PumpEvents(false);
    ASSERT_EQ(platform::PendingInputCount(), 1u);
    RecordingWindow w(/*visible=*/true);
    w.onMessage = [](UINT, WPARAM, LPARAM) -> LRESULT { return 0; };
    RecordingWindow::DrainQueue();
    EXPECT_EQ(w.Messages(), std::vector<UINT>{WM_CLOSE});
}

volatile sig_atomic_t g_earlierHandlerRan = 0;
void EarlierHandler(int) { g_earlierHandlerRan = 1; }

TEST_F(TerminationSignalsTest, StoppingPutsTheEarlierHandlerBack) {
    platform::StopRoutingTerminationSignals();
    struct sigaction earlier{}, saved{};
    earlier.sa_handler = &EarlierHandler;
    sigemptyset(&earlier.sa_mask);
    ASSERT_EQ(sigaction(SIGHUP, &earlier, &saved), 0);
    ASSERT_TRUE(platform::RouteTerminationSignals());
    raise(SIGHUP);
    EXPECT_EQ(g_earlierHandlerRan, 0);
    platform::StopRoutingTerminationSignals();
    EXPECT_TRUE(platform::WatchedDescriptors().empty());
    raise(SIGHUP);
    EXPECT_EQ(g_earlierHandlerRan, 1);
    backend.PumpEvents(false);
    EXPECT_EQ(platform::PendingInputCount(), 0u) << "the request sent while routing was dropped with the pipe";
    sigaction(SIGHUP, &saved, nullptr);
}

// Once its loop has ended the program absorbs them, whether it routed them or never did.
TEST_F(TerminationSignalsTest, SignalsOnTheWayOutAreAbsorbedAndTheStatusStaysTheProgramsOwn) {
    for (bool routed : {true, false})
        EXPECT_EQ(RunChild([routed] {
                      if (!routed) platform::StopRoutingTerminationSignals();
                      platform::AbsorbTerminationSignals();
                      for (int signo : {SIGTERM, SIGINT, SIGHUP, SIGTERM}) raise(signo);
                      return 0;
                  }), 0) << routed;
}

}  // namespace
