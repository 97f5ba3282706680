// A thread that waits for descriptors to become readable, so a loop blocked elsewhere can be woken.
#pragma once

#include <condition_variable>
#include <functional>
#include <mutex>
#include <thread>
#include <vector>

namespace platform::sdl {

// The thread only polls: it never reads the descriptors and touches nothing but its own state.
// Once one of them is readable it calls onReadable (on its own thread) and goes quiet until armed
// again, so a descriptor that stays readable until the owner reads it does not flood the owner.
class DescriptorWatcher {
public:
    // onFailed runs (on the watcher's thread, with the errno) if polling fails for good; the
    // thread then ends. Interrupted polls and passing shortages are retried.
    explicit DescriptorWatcher(std::function<void()> onReadable, std::function<void(int)> onFailed = {});
    ~DescriptorWatcher();
    DescriptorWatcher(const DescriptorWatcher&) = delete;
    DescriptorWatcher& operator=(const DescriptorWatcher&) = delete;

    // False when the wake-up pipe or the thread could not be made; the watcher then does nothing.
    bool Running() const { return thread_.joinable(); }
    // Watches these descriptors from now on, replacing the earlier list. Does nothing when the
    // watcher is already armed with the same list; an empty list disarms it.
    void Arm(const std::vector<int>& fds);

private:
    void Run();
    void Wake();

    std::function<void()> onReadable_;
    std::function<void(int)> onFailed_;
    std::mutex mutex_;
    std::condition_variable armedChanged_;
    std::vector<int> fds_;
    bool armed_ = false;
    bool stopping_ = false;
    int wakeRead_ = -1;
    int wakeWrite_ = -1;
    std::thread thread_;
};

}  // namespace platform::sdl
