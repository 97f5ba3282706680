// The descriptor watcher's thread: poll the armed list plus a pipe that interrupts the poll.
#include "platform/sdl/DescriptorWatcher.h"

#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <system_error>

namespace platform::sdl {
namespace {

constexpr int kMaxRetries = 100;

}  // namespace

DescriptorWatcher::DescriptorWatcher(std::function<void()> onReadable, std::function<void(int)> onFailed)
    : onReadable_(std::move(onReadable)), onFailed_(std::move(onFailed)) {
    int fds[2];
    if (pipe2(fds, O_CLOEXEC | O_NONBLOCK) != 0) return;
    wakeRead_ = fds[0];
    wakeWrite_ = fds[1];
    try {
        thread_ = std::thread(&DescriptorWatcher::Run, this);
    } catch (const std::system_error&) {
        // Running() tells the owner, who would otherwise never hear of its descriptors.
    }
}

DescriptorWatcher::~DescriptorWatcher() {
    if (thread_.joinable()) {
        {
            std::lock_guard lock(mutex_);
            stopping_ = true;
        }
        armedChanged_.notify_one();
        Wake();
        thread_.join();
    }
    if (wakeRead_ >= 0) close(wakeRead_);
    if (wakeWrite_ >= 0) close(wakeWrite_);
}

void DescriptorWatcher::Arm(const std::vector<int>& fds) {
    {
        std::lock_guard lock(mutex_);
        bool armed = !fds.empty();
        if (armed == armed_ && fds == fds_) return;
        fds_ = fds;
        armed_ = armed;
    }
    armedChanged_.notify_one();
    Wake();  // a poll under way still has the old list
}

void DescriptorWatcher::Wake() {
    char byte = 0;
    ssize_t ignored = write(wakeWrite_, &byte, 1);  // a full pipe wakes the poll just the same
    (void)ignored;
}

void DescriptorWatcher::Run() {
    std::vector<pollfd> polled;
    int retries = 0;
    for (;;) {
        {
            std::unique_lock lock(mutex_);
            armedChanged_.wait(lock, [this] { return armed_ || stopping_; });
            if (stopping_) return;
            polled.clear();
            for (int fd : fds_) polled.push_back(pollfd{fd, POLLIN, 0});
        }
        polled.push_back(pollfd{wakeRead_, POLLIN, 0});
        int n = poll(polled.data(), polled.size(), -1);
        if (n < 0) {
            int err = errno;
            if (err == EINTR) continue;
            // Short of memory for a moment: try again a little later, but not for ever.
            if ((err == EAGAIN || err == ENOMEM) && ++retries < kMaxRetries) {
                std::unique_lock lock(mutex_);
                armedChanged_.wait_for(lock, std::chrono::milliseconds(10), [this] { return stopping_; });
                continue;
            }
            // Deaf from here on: the owner must hear of it rather than miss every signal.
            if (onFailed_) onFailed_(err);
            return;
        }
        retries = 0;
        if (polled.back().revents) {
            char drain[64];
            while (read(wakeRead_, drain, sizeof drain) > 0) {
            }
            continue;  // the list or the stop flag changed: look again
        }
        bool ready = false;
        for (size_t i = 0; i + 1 < polled.size(); ++i) ready = ready || polled[i].revents != 0;
        if (!ready) continue;
        {
            std::lock_guard lock(mutex_);
            armed_ = false;
        }
        onReadable_();
    }
}

}  // namespace platform::sdl
