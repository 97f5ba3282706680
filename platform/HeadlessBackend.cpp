// The headless backend: scripted input handed over one event at a time, a virtual clock.
#include "platform/HeadlessBackend.h"

#include "platform/Messages.h"
#include "platform/Png.h"
#include "platform/ShellExecute.h"

namespace platform {

bool HeadlessBackend::PumpEvents(bool wait) {
    DispatchReadable(0);
    if (!script_.empty()) {
        QueueInput(script_.front());
        script_.pop_front();
        return true;
    }
    if (!wait) return true;
    if (idle_ && idle_()) return true;
    return false;
}

void HeadlessBackend::ScriptKey(UINT key, wchar_t ch) {
    Script(InputEvent{InputType::KeyDown, key, ch, 0, 0, false});
    Script(InputEvent{InputType::KeyUp, key, 0, 0, 0, false});
}

void HeadlessBackend::ScriptTap(int x, int y) {
    Script(InputEvent{InputType::MouseDown, 0, 0, x, y, false});
    Script(InputEvent{InputType::MouseUp, 0, 0, x, y, false});
}

bool HeadlessBackend::OpenDocument(const std::string& path) {
    opened_.push_back(OpenerCommand(path));
    return true;
}

void HeadlessBackend::ScriptClose() { Script(InputEvent{InputType::Close, 0, 0, 0, 0, false}); }

}  // namespace platform

namespace platform {

void HeadlessBackend::Present(const PixelRows& screen) {
    ++frames_;
    clock_.FramePresented();
    frameWidth_ = screen.width;
    frameHeight_ = screen.height;
    lastFrame_.resize(static_cast<size_t>(screen.width) * screen.height);
    for (int y = 0; y < screen.height; ++y)
        for (int x = 0; x < screen.width; ++x) lastFrame_[static_cast<size_t>(y) * screen.width + x] = screen.Get16(x, y);
    if (keepFrames_) keptFrames_.push_back(lastFrame_);
}

bool HeadlessBackend::DumpLastFrame(const std::string& path) const {
    if (lastFrame_.empty()) return false;
    auto* words = const_cast<uint16_t*>(lastFrame_.data());
    return WritePng(path, PixelRows::TopDown(reinterpret_cast<uint8_t*>(words), frameWidth_, frameHeight_, 16));
}

}  // namespace platform
