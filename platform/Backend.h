// The seam between the platform layer and what actually shows pixels and takes input.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/PcmSound.h"
#include "platform/PixelRows.h"

namespace platform {

// The exit code of the message loop when a backend says no input can ever arrive again
// (a headless script that ran out, a display that went away).
constexpr int kInputEndedExitCode = 125;

class Backend {
public:
    virtual ~Backend() = default;
    // Moves pending input into the input queue (QueueInput). With wait, blocks until an event
    // arrived or something else may have changed. Returns false when no input can arrive any more.
    virtual bool PumpEvents(bool wait) = 0;
    // Milliseconds, wrapping at 2^32.
    virtual uint32_t TickCount() = 0;
    // Shows the composed device screen (16-bit 5-6-5, top row first).
    virtual void Present(const PixelRows& screen) { (void)screen; }
    // The program's window: minimised on request (the Back key in the menu), brought to the
    // front when a second start asks for it.
    virtual void Minimize() {}
    virtual void Raise() {}
    // Starts a sound and returns at once; it replaces one still playing. No sound device: silence.
    virtual void PlayPcm(const PcmSound& sound) { (void)sound; }
    // Opens a document (an existing file's absolute path, bytes) in the desktop's application
    // for it without waiting; false when that cannot be started. The default starts the opener
    // (ShellExecute.h).
    virtual bool OpenDocument(const std::string& path);
};

// The backend in use; a built-in headless one (no input, a clock standing at 0) until one is set.
Backend& CurrentBackend();
// Not owned. NULL goes back to the built-in one.
void SetBackend(Backend* backend);

}  // namespace platform

namespace platform {

// Back to the built-in backend, itself fresh (a fresh platform state).
void ResetBackend();

// Descriptors the loop must wake up for besides input (the single-instance socket, the signals'
// self-pipe). The callback runs on the UI thread, from a backend's PumpEvents, when the
// descriptor is readable. A backend that blocks must wake up for them too.
using ReadableCallback = void (*)(int fd, void* context);
void WatchReadable(int fd, ReadableCallback callback, void* context);
void UnwatchReadable(int fd);
std::vector<int> WatchedDescriptors();
// Runs the callbacks of the watched descriptors that are readable within timeoutMs (0: now,
// -1: until one is); returns whether any ran.
bool DispatchReadable(int timeoutMs);

}  // namespace platform
