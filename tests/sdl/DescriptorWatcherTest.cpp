// The watcher thread: it reports a readable descriptor once per arming, follows the latest list,
// and stops while it waits.
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
using namespace std::chrono_literals;

// A pipe closed when the test ends.
struct Pipe {
    int read = -1;
    int write = -1;
    Pipe() {
        int fds[2];
        EXPECT_EQ(pipe2(fds, O_CLOEXEC | O_NONBLOCK), 0);
        read = fds[0];
        write = fds[1];
    }
    ~Pipe() {
        close(read);
        close(write);
    }
    void Put() const { EXPECT_EQ(::write(write, "x", 1), 1); }
    void Drain() const {
        char buffer[16];
        while (::read(read, buffer, sizeof buffer) > 0) {
        }
    }
};

// Counts the watcher's reports; waits for one with a generous bound so a stuck watcher fails the
// test instead of hanging it.
class Reports {
public:
    void Note() {
        std::lock_guard lock(mutex_);
        ++count_;
        changed_.notify_all();
    }
    bool WaitFor(int count) {
        std::unique_lock lock(mutex_);
        return changed_.wait_for(lock, 10s, [&] { return count_ >= count; });
    }
    int Count() {
        std::lock_guard lock(mutex_);
        return count_;
    }

private:
    std::mutex mutex_;
    std::condition_variable changed_;
    int count_ = 0;
};

TEST(DescriptorWatcherTest, ReportsOncePerArmingUntilArmedAgain) {
    Pipe pipe;
    Reports reports;
    DescriptorWatcher watcher([&] { reports.Note(); });
    ASSERT_TRUE(watcher.Running());
    watcher.Arm({pipe.read});
    pipe.Put();
    ASSERT_TRUE(reports.WaitFor(1));

    // Still readable, but nobody armed it again: a second report would mean a busy loop. A second
    // pipe, watched by a second watcher, gives the first one time to misbehave.
    Pipe other;
    Reports otherReports;
    DescriptorWatcher witness([&] { otherReports.Note(); });
    witness.Arm({other.read});
    other.Put();
    ASSERT_TRUE(otherReports.WaitFor(1));
    EXPECT_EQ(reports.Count(), 1);

    watcher.Arm({pipe.read});
    ASSERT_TRUE(reports.WaitFor(2)) << "armed again while still readable";
    pipe.Drain();
}

TEST(DescriptorWatcherTest, ArmingWithTheSameListWhileArmedChangesNothing) {
    Pipe pipe;
    Reports reports;
    DescriptorWatcher watcher([&] { reports.Note(); });
    watcher.Arm({pipe.read});
    watcher.Arm({pipe.read});
    pipe.Put();
    ASSERT_TRUE(reports.WaitFor(1));
    watcher.Arm({pipe.read});
    ASSERT_TRUE(reports.WaitFor(2));
    EXPECT_EQ(reports.Count(), 2);
}

TEST(DescriptorWatcherTest, FollowsTheLatestListWhileWaiting) {
    Pipe first, second;
    Reports reports;
    DescriptorWatcher watcher([&] { reports.Note(); });
    watcher.Arm({first.read});
    watcher.Arm({second.read});
    first.Put();  // no longer watched
    second.Put();
    ASSERT_TRUE(reports.WaitFor(1));

    second.Drain();
    watcher.Arm({second.read});
    watcher.Arm({});  // disarmed: the first pipe, still readable, must not be reported
    watcher.Arm({second.read});
    second.Put();
    ASSERT_TRUE(reports.WaitFor(2));
    EXPECT_EQ(reports.Count(), 2);
}

TEST(DescriptorWatcherTest, StopsWhileItWaits) {
    Pipe pipe;
    Reports reports;
    auto started = std::chrono::steady_clock::now();
    {
        DescriptorWatcher watcher([&] { reports.Note(); });
        watcher.Arm({pipe.read});
    }
    EXPECT_LT(std::chrono::steady_clock::now() - started, 5s);
    EXPECT_EQ(reports.Count(), 0);
}

TEST(DescriptorWatcherTest, APollThatCannotGoOnIsReported) {
    // More descriptors than the process may have open: poll refuses the list (EINVAL) for good.
    rlimit saved{};
    ASSERT_EQ(getrlimit(RLIMIT_NOFILE, &saved), 0);
    rlimit low{64, saved.rlim_max};
    ASSERT_EQ(setrlimit(RLIMIT_NOFILE, &low), 0);
    Reports failures;
    int error = 0;
    {
        DescriptorWatcher watcher([] {}, [&](int err) { error = err, failures.Note(); });
        watcher.Arm(std::vector<int>(100, 0));
        EXPECT_TRUE(failures.WaitFor(1));
    }
    setrlimit(RLIMIT_NOFILE, &saved);
    EXPECT_EQ(error, EINVAL);
}

}  // namespace
