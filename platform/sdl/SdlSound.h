// The SDL backend's sounds: SDL audio starts with the first sound, and the device is open only
// while a sound plays, so a quiet program has no audio thread running. Neither opening nor
// closing the device holds up the calling thread.
#pragma once

#include <functional>
#include <memory>

#include "platform/PcmSound.h"

namespace platform::sdl {

class SdlSound {
public:
    // Samples reach the device at this rate; slower sounds are interpolated up to it.
    static constexpr int kDeviceRate = 22050;

    // playedOut runs on the audio thread once a sound has played out; it should only wake up the
    // thread that plays, which then calls CloseIfPlayedOut.
    explicit SdlSound(std::function<void()> playedOut);
    ~SdlSound();
    SdlSound(const SdlSound&) = delete;
    SdlSound& operator=(const SdlSound&) = delete;

    // Starts the sound, replacing one that is playing; opens the device (and, the first time, SDL
    // audio) if it is not open. Without a sound device nothing plays and nothing is reported.
    void Play(const PcmSound& sound);
    // On the thread that plays: closes the device if nothing started since the sound played out.
    void CloseIfPlayedOut();
    // Once a device being opened or closed is ready.
    bool DeviceOpen();

private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

}  // namespace platform::sdl
