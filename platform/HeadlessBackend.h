// A backend without a display: scripted input, a virtual clock. Used by the tests.
#pragma once

#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "platform/Backend.h"
#include "platform/Input.h"

namespace platform {

// Stands still unless told to move: each read advances it by perRead (default 0), each frame
// presented by perFrame (default 10 ms); every block transfer into a window or the screen is a
// frame, even one that changes nothing. Wraps at 2^32 like the tick count.
struct VirtualClock {
    uint32_t now = 0;
    uint32_t perRead = 0;
    uint32_t perFrame = 10;

    uint32_t Read() { return now += perRead; }
    void Advance(uint32_t ms) { now += ms; }
    void FramePresented() { now += perFrame; }
};

class HeadlessBackend : public Backend {
public:
    // Hands one scripted event to the input queue per call, as a player would, one at a time.
    // When the script is empty and the loop would wait, asks the idle handler for more; without
    // more, no input can arrive any more.
    bool PumpEvents(bool wait) override;
    uint32_t TickCount() override { return clock_.Read(); }
    // Counts the frame, moves the clock by its per-frame step and keeps a copy of the screen.
    void Present(const PixelRows& screen) override;
    // Counted: the program's window has no desktop to go to.
    void Minimize() override { ++minimized_; }
    void Raise() override { ++raised_; }
    int Minimized() const { return minimized_; }
    int Raised() const { return raised_; }
    // Sounds are only recorded, in the order they were started.
    struct PlayedSound {
        std::wstring name;
        DWORD flags;
        int sampleRate;
        size_t bytes;
    };
    void PlayPcm(const PcmSound& sound) override {
        played_.push_back({sound.name, sound.flags, sound.sampleRate, sound.samples.size()});
    }
    const std::vector<PlayedSound>& PlayedSounds() const { return played_; }
    // Starts nothing: records the opener's arguments ({opener, path}) and succeeds.
    bool OpenDocument(const std::string& path) override;
    const std::vector<std::vector<std::string>>& OpenedDocuments() const { return opened_; }

    void Script(const InputEvent& event) { script_.push_back(event); }
    // A key pressed and released; ch is the character it types (0 for none).
    void ScriptKey(UINT key, wchar_t ch = 0);
    void ScriptTap(int x, int y);
    void ScriptClose();
    size_t ScriptLength() const { return script_.size(); }

    // Called when the loop would wait with nothing scripted; return true after adding input or
    // posting a message, false to let the loop end.
    void SetIdleHandler(std::function<bool()> handler) { idle_ = std::move(handler); }

    VirtualClock& Clock() { return clock_; }

    int FramesPresented() const { return frames_; }
    // The last presented screen, 5-6-5 words, top row first; empty before the first frame.
    const std::vector<uint16_t>& LastFrame() const { return lastFrame_; }
    int FrameWidth() const { return frameWidth_; }
    int FrameHeight() const { return frameHeight_; }
    // Writes the last frame as a PNG, for looking at what a test saw; false without a frame.
    bool DumpLastFrame(const std::string& path) const;
    // Keeps a copy of every frame from now on (a transition's frames, one by one).
    void KeepFrames(bool keep) { keepFrames_ = keep; }
    const std::vector<std::vector<uint16_t>>& KeptFrames() const { return keptFrames_; }
    // The phone's keys by their roles.
    void ScriptSoftKey(bool right) { ScriptKey(right ? VK_F2 : VK_F1); }
    void ScriptBack() { ScriptKey(VK_ESCAPE); }
    // The 5-6-5 word at (x, y) of the last frame.
    uint16_t FramePixel(int x, int y) const { return lastFrame_[static_cast<size_t>(y) * frameWidth_ + x]; }

private:
    std::deque<InputEvent> script_;
    std::function<bool()> idle_;
    VirtualClock clock_;
    int frames_ = 0;
    bool keepFrames_ = false;
    std::vector<std::vector<uint16_t>> keptFrames_;
    int minimized_ = 0;
    int raised_ = 0;
    std::vector<PlayedSound> played_;
    std::vector<std::vector<std::string>> opened_;
    std::vector<uint16_t> lastFrame_;
    int frameWidth_ = 0;
    int frameHeight_ = 0;
};

}  // namespace platform
