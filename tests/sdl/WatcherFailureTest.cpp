// A watcher whose poll fails for good says so instead of going deaf in silence.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <unistd.h>

#include <chrono>
#include <condition_variable>
#include <mutex>

#include "platform/sdl/DescriptorWatcher.h"

namespace {

TEST(WatcherFailureTest, APollThatCannotGoOnIsReported) {
    int fds[2];
    ASSERT_EQ(pipe2(fds, O_CLOEXEC), 0);
    // More descriptors than the process may have open: poll refuses the list (EINVAL).
    rlimit saved{};
    ASSERT_EQ(getrlimit(RLIMIT_NOFILE, &saved), 0);
    rlimit low = saved;
    low.rlim_cur = 64;
    ASSERT_EQ(setrlimit(RLIMIT_NOFILE, &low), 0);

    std::mutex mutex;
    std::condition_variable changed;
    int failure = 0;
    {
        platform::sdl::DescriptorWatcher watcher([] {}, [&](int err) {
            std::lock_guard lock(mutex);
            failure = err;
            changed.notify_all();
        });
        watcher.Arm(std::vector<int>(100, fds[0]));
        std::unique_lock lock(mutex);
        changed.wait_for(lock, std::chrono::seconds(10), [&] { return failure != 0; });
    }
    setrlimit(RLIMIT_NOFILE, &saved);
    EXPECT_EQ(failure, EINVAL);
    close(fds[0]);
    close(fds[1]);
}

}  // namespace
