// The message queue: posted messages, the quit state, input routing and paint generation.
#include "platform/Messages.h"

#include <algorithm>
#include <deque>

#include "platform/Backend.h"
#include "platform/InputRouting.h"
#include "platform/SingleInstance.h"
#include "platform/WindowTable.h"
#include "platform/Windowing.h"

namespace platform {
namespace {

struct LastKey {
    HWND hwnd = nullptr;
    WPARAM key = 0;
    wchar_t ch = 0;
};

class MessageQueue {
public:
    bool Next(MSG* out, bool wait);
    void Post(const MSG& m) { posted_.push_back(m); }
    void Quit(int code) {
        quit_ = true;
        exitCode_ = code;
        StopAnsweringRaiseRequests();
    }
    void QueueInput(const InputEvent& e) { input_.push_back(e); }
    const std::deque<MSG>& Posted() const { return posted_; }
    size_t InputCount() const { return input_.size(); }
    bool CloseQueued() const {
        return std::any_of(input_.begin(), input_.end(), [](const InputEvent& e) { return e.type == InputType::Close; });
    }
    const LastKey& Key() const { return lastKey_; }
    void Reset() { *this = MessageQueue(); }

private:
    bool TakePosted(MSG* out);
    bool TakeInput(MSG* out);

    std::deque<MSG> posted_;
    std::deque<InputEvent> input_;
    bool quit_ = false;
    int exitCode_ = 0;
    LastKey lastKey_;
};

MessageQueue& Queue() {
    static MessageQueue queue;
    return queue;
}

bool MessageQueue::TakePosted(MSG* out) {
    while (!posted_.empty()) {
        MSG m = posted_.front();
        posted_.pop_front();
        if (!m.hwnd || !IsWindow(m.hwnd)) continue;  // its window died after the post
        *out = m;
        return true;
    }
    return false;
}

bool MessageQueue::TakeInput(MSG* out) {
    while (!input_.empty()) {
        InputEvent e = input_.front();
        input_.pop_front();
        if (!RouteInput(e, out)) continue;
        if (e.type == InputType::KeyDown) lastKey_ = LastKey{out->hwnd, e.key, e.ch};
        return true;
    }
    return false;
}

bool MessageQueue::Next(MSG* out, bool wait) {
    for (;;) {
        if (TakePosted(out)) return true;
        if (quit_) {
            quit_ = false;
            *out = MSG{nullptr, WM_QUIT, static_cast<WPARAM>(exitCode_), 0, 0, {}};
            return true;
        }
        if (input_.empty()) CurrentBackend().PumpEvents(false);
        if (!posted_.empty() || quit_) continue;
        bool hadInput = !input_.empty();
        if (TakeInput(out)) return true;
        if (hadInput) continue;  // every event was dropped: the backend may hold more
        if (HWND h = NextWindowToPaint()) {
            *out = MSG{h, WM_PAINT, 0, 0, 0, {}};
            return true;
        }
        if (!wait) return false;
        if (!CurrentBackend().PumpEvents(true) && input_.empty() && posted_.empty() && !quit_)
            Quit(kInputEndedExitCode);
    }
}

}  // namespace

void QueueInput(const InputEvent& event) { Queue().QueueInput(event); }

std::vector<MSG> PendingPostedMessages() {
    const auto& posted = Queue().Posted();
    return std::vector<MSG>(posted.begin(), posted.end());
}

size_t PendingInputCount() { return Queue().InputCount(); }
bool CloseRequestPending() { return Queue().CloseQueued(); }
void ResetMessageQueue() { Queue().Reset(); }

}  // namespace platform

LRESULT SendMessageW(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    const platform::WindowRecord* w = platform::FindWindowRecord(hwnd);
    if (!w || !w->proc) return 0;
    return w->proc(hwnd, message, wParam, lParam);
}

BOOL PostMessageW(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (!hwnd || !IsWindow(hwnd)) return FALSE;
    platform::Queue().Post(MSG{hwnd, message, wParam, lParam, 0, {}});
    return TRUE;
}

void PostQuitMessage(int exitCode) { platform::Queue().Quit(exitCode); }

BOOL GetMessageW(MSG* msg, HWND, UINT, UINT) {
    if (!msg) return -1;
    platform::Queue().Next(msg, true);
    return msg->message == WM_QUIT ? FALSE : TRUE;
}

BOOL PeekMessageW(MSG* msg, HWND, UINT, UINT, UINT remove) {
    if (!msg || !(remove & PM_REMOVE)) return FALSE;
    return platform::Queue().Next(msg, false) ? TRUE : FALSE;
}

BOOL TranslateMessage(const MSG* msg) {
    if (!msg || msg->message != WM_KEYDOWN) return FALSE;
    const platform::LastKey& k = platform::Queue().Key();
    if (k.ch == 0 || k.hwnd != msg->hwnd || k.key != msg->wParam) return FALSE;
    return PostMessageW(msg->hwnd, WM_CHAR, static_cast<WPARAM>(k.ch), msg->lParam);
}

LRESULT DispatchMessageW(const MSG* msg) {
    if (!msg || !msg->hwnd) return 0;
    return SendMessageW(msg->hwnd, msg->message, msg->wParam, msg->lParam);
}
