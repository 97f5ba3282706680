// The real window: the device screen in an SDL window, the keyboard and mouse as the phone's keys
// and stylus. Nothing outside this folder sees an SDL type.
#pragma once

#include <cstdint>
#include <memory>
#include <span>
#include <string>

#include "platform/Backend.h"

namespace platform::sdl {

struct WindowOptions {
    std::string title = "Qor Tintaro";
    int zoom = 0;  // window pixels per device pixel; 0: the largest that fits the desktop
};

// The largest whole zoom at which a device screen fits an area; at least 1.
int LargestZoomThatFits(int deviceWidth, int deviceHeight, int areaWidth, int areaHeight);

class SdlBackend final : public Backend {
public:
    // Opens the display and a window of the current device profile's size times the zoom. The
    // window stays hidden until the first frame, so a program that ends before painting (a second
    // start that only raises the first) shows none. Null, with a message for the user in *error,
    // when there is no display to open.
    static std::unique_ptr<SdlBackend> Open(const WindowOptions& options, std::string* error);
    ~SdlBackend() override;
    SdlBackend(const SdlBackend&) = delete;
    SdlBackend& operator=(const SdlBackend&) = delete;

    // Drains SDL's events into the input queue; with wait, first sleeps in SDL_WaitEvent until an
    // event or a watched descriptor wakes it. Watched descriptors are dispatched here, on the
    // calling thread.
    bool PumpEvents(bool wait) override;
    uint32_t TickCount() override;
    // Uploads the frame and shows it at once; the first one also shows the window.
    void Present(const PixelRows& screen) override;
    void Minimize() override;
    void Raise() override;
    // The first sound starts SDL audio; the device closes once a sound has played out.
    void PlayPcm(const PcmSound& sound) override;

    // The window's icon from a PNG; false, the icon as it was, when the bytes are no picture.
    bool SetIcon(std::span<const uint8_t> png);

    int Zoom() const;
    // What went wrong while running that made the backend ask the program to close; "" if nothing.
    const std::string& Trouble() const;

private:
    struct Impl;
    explicit SdlBackend(std::unique_ptr<Impl> impl);
    std::unique_ptr<Impl> impl_;
};

}  // namespace platform::sdl
