// The watcher thread: it reports a readable descriptor once per arming, follows the latest list,
// stops while it waits, and reports a poll that cannot go on.
#include "platform/sdl/DescriptorWatcher.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <unistd.h>

#include <chrono>
#include <condition_variable>
#include <mutex>

namespace {

using platform::sdl::DescriptorWatcher;

// A pipe closed when the test ends.
struct Pipe {
    int fds[2] = {-1, -1};
    Pipe() { EXPECT_EQ(pipe2(fds, O_CLOEXEC | O_NONBLOCK), 0); }
    ~Pipe() { close(fds[0]), close(fds[1]); }
    void Put() const { EXPECT_EQ(write(fds[1], "x", 1), 1); }
    void Drain() const { for (char buffer[16]; read(fds[0], buffer, sizeof buffer) > 0;) continue; }
};

// Counts reports; a wait is bounded so a stuck watcher fails instead of hanging. The watcher stops first.
struct Reports {
    std::mutex mutex;
    std::condition_variable changed;
    int count = 0;
    DescriptorWatcher watcher{[this] { std::lock_guard lock(mutex); ++count, changed.notify_all(); }};
    bool WaitFor(int n) {
        std::unique_lock lock(mutex);
        return changed.wait_for(lock, std::chrono::seconds(10), [&] { return count >= n; });
    }
    int Count() { std::lock_guard lock(mutex); return count; }
};

TEST(DescriptorWatcherTest, ReportsOncePerArmingForTheLatestListAndStopsWhileItWaits) {
    Pipe first, second, other;
    auto reports = std::make_unique<Reports>();
    Reports witness;
    ASSERT_TRUE(reports->watcher.Running());
    reports->watcher.Arm({first.fds[0]});
    reports->watcher.Arm({second.fds[0]});
    reports->watcher.Arm({second.fds[0]});  // the same list while armed changes nothing
    first.Put();  // no longer watched
    second.Put();
    ASSERT_TRUE(reports->WaitFor(1));
    // Still readable, not armed again: a second report would be a busy loop (a second watcher gives it time).
    witness.watcher.Arm({other.fds[0]});
    other.Put();
    ASSERT_TRUE(witness.WaitFor(1));
    EXPECT_EQ(reports->Count(), 1);
    reports->watcher.Arm({});
    reports->watcher.Arm({second.fds[0]});
    ASSERT_TRUE(reports->WaitFor(2)) << "armed again while still readable";
    second.Drain();
    reports->watcher.Arm({second.fds[0]});
    reports.reset();  // joins the thread: a watcher that cannot stop hangs here and the test times out
}

TEST(DescriptorWatcherTest, APollThatCannotGoOnIsReported) {
    // More descriptors than the process may have open: poll refuses the list (EINVAL) for good.
    rlimit saved{};
    ASSERT_EQ(getrlimit(RLIMIT_NOFILE, &saved), 0);
    rlimit low{64, saved.rlim_max};
    ASSERT_EQ(setrlimit(RLIMIT_NOFILE, &low), 0);
    std::mutex mutex;
    std::condition_variable failed;
    int error = 0;
    {
        DescriptorWatcher watcher([] {}, [&](int err) { std::lock_guard lock(mutex); error = err, failed.notify_all(); });
        watcher.Arm(std::vector<int>(100, 0));
        std::unique_lock lock(mutex);
        EXPECT_TRUE(failed.wait_for(lock, std::chrono::seconds(10), [&] { return error != 0; }));
    }
    setrlimit(RLIMIT_NOFILE, &saved);
    EXPECT_EQ(error, EINVAL);
}

}  // namespace
