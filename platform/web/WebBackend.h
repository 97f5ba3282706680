// The backend of a web page: the device screen on the page's canvas, the keyboard, mouse and touch
// as the phone's keys and stylus, sound through WebAudio. Nothing outside this folder knows it.
#pragma once

#include <cstdint>
#include <deque>
#include <string>
#include <vector>

#include "platform/Backend.h"
#include "platform/Input.h"

namespace platform::web {

class WebBackend final : public Backend {
public:
    // Takes the page's canvas and input for a screen of the current device profile's size.
    WebBackend();
    ~WebBackend() override;
    WebBackend(const WebBackend&) = delete;
    WebBackend& operator=(const WebBackend&) = delete;

    // Hands over what the page has brought; with wait and nothing there, waits until it brings
    // something. False once the page is going and nothing is left.
    bool PumpEvents(bool wait) override;
    uint32_t TickCount() override;
    // Puts the frame on the canvas. A frame put before it that the browser has not shown yet is
    // shown first, so that every frame of an animation is seen and none is drawn in vain.
    void Present(const PixelRows& screen) override;
    // A tab cannot bring itself to the front; it asks the browser to focus it.
    void Raise() override;
    // Starts once the page has had a key or a tap (browsers start sound only then).
    void PlayPcm(const PcmSound& sound) override;
    // A document beside the program opens in a tab of its own.
    bool OpenDocument(const std::string& path) override;

    // From the page: input, and the page going away (input not handled by then is dropped and
    // the program is asked to close).
    void Queue(const InputEvent& event);
    void PageLeaving();

private:
    std::deque<InputEvent> input_;
    std::vector<uint32_t> rgba_;
    int width_;
    int height_;
    bool frameUnseen_ = false;
};

}  // namespace platform::web
