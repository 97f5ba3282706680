// The web backend: the program waits in the page (WebPage.js) for input and for frames to be shown;
// the page's events reach the input queue through the exports below.
#include "platform/web/WebBackend.h"

#include <emscripten.h>

#include <array>

#include "platform/Device.h"
#include "platform/Messages.h"
#include "platform/web/WebKeys.h"

extern "C" {
void tintaro_page_open(int width, int height);
void tintaro_page_present(const uint32_t* rgba);
int tintaro_page_closing();
void tintaro_page_wait_for_input();
void tintaro_page_wait_for_paint();
void tintaro_page_play(const uint8_t* samples, int count, int rate);
int tintaro_page_open_document(const char* path);
void tintaro_page_raise();
}

namespace platform::web {
namespace {

WebBackend* g_page = nullptr;

// Each 5-6-5 word as the canvas's RGBA bytes, every channel widened as the desktop widens it.
const std::array<uint32_t, 65536>& RgbaOf565() {
    static const auto table = [] {
        std::array<uint32_t, 65536> t{};
        for (uint32_t p = 0; p < t.size(); ++p) {
            const COLORREF c = Widen565(static_cast<uint16_t>(p));
            t[p] = GetRValue(c) | (GetGValue(c) << 8) | (GetBValue(c) << 16) | 0xFF000000u;
        }
        return t;
    }();
    return table;
}

}  // namespace

WebBackend::WebBackend()
    : rgba_(static_cast<size_t>(CurrentDeviceProfile().width) * CurrentDeviceProfile().height),
      width_(CurrentDeviceProfile().width),
      height_(CurrentDeviceProfile().height) {
    g_page = this;
    tintaro_page_open(width_, height_);
}

WebBackend::~WebBackend() {
    if (g_page == this) g_page = nullptr;
}

bool WebBackend::PumpEvents(bool wait) {
    if (wait && input_.empty() && !tintaro_page_closing()) {
        frameUnseen_ = false;  // shown while the program waits
        tintaro_page_wait_for_input();
    }
    if (input_.empty()) return !(wait && tintaro_page_closing());
    for (; !input_.empty(); input_.pop_front()) QueueInput(input_.front());
    return true;
}

uint32_t WebBackend::TickCount() { return static_cast<uint32_t>(static_cast<uint64_t>(emscripten_get_now())); }

void WebBackend::Present(const PixelRows& screen) {
    if (screen.width != width_ || screen.height != height_ || screen.bitsPerPixel != 16) return;
    if (frameUnseen_) tintaro_page_wait_for_paint();
    const auto& table = RgbaOf565();
    uint32_t* out = rgba_.data();
    for (int y = 0; y < height_; ++y) {
        const uint8_t* in = screen.Row(y);
        for (int x = 0; x < width_; ++x, in += 2) *out++ = table[in[0] | (in[1] << 8)];
    }
    tintaro_page_present(rgba_.data());
    frameUnseen_ = true;
}

void WebBackend::Raise() { tintaro_page_raise(); }

void WebBackend::PlayPcm(const PcmSound& sound) {
    tintaro_page_play(sound.samples.data(), static_cast<int>(sound.samples.size()), sound.sampleRate);
}

bool WebBackend::OpenDocument(const std::string& path) { return tintaro_page_open_document(path.c_str()) != 0; }

void WebBackend::Queue(const InputEvent& event) { input_.push_back(event); }

void WebBackend::PageLeaving() {
    input_.clear();
    input_.push_back(InputEvent{InputType::Close, 0, 0, 0, 0, false});
}

}  // namespace platform::web

using platform::web::g_page;

// Called by the page, also while the program waits: they only queue.
extern "C" {

EMSCRIPTEN_KEEPALIVE int tintaro_page_key(int down, const char* key, const char* code, int modifiers, int repeat) {
    platform::InputEvent event;
    if (!g_page || !platform::web::TranslateKey(down != 0, key, code, static_cast<unsigned>(modifiers), repeat != 0,
                                                &event))
        return 0;
    g_page->Queue(event);
    return 1;
}

EMSCRIPTEN_KEEPALIVE void tintaro_page_pointer(int type, int x, int y) {
    static constexpr platform::InputType kTypes[] = {platform::InputType::MouseDown, platform::InputType::MouseMove,
                                                     platform::InputType::MouseUp};
    if (g_page && type >= 0 && type < 3) g_page->Queue(platform::InputEvent{kTypes[type], 0, 0, x, y, false});
}

EMSCRIPTEN_KEEPALIVE void tintaro_page_close() {
    if (g_page) g_page->PageLeaving();
}

}  // extern "C"
