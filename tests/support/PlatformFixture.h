// A fresh platform for every test: reset layer, headless backend, private settings folder.
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <optional>
#include <ostream>
#include <string>
#include <utility>
#include <vector>

#include "platform/HeadlessBackend.h"
#include "platform/Input.h"
#include "platform/Types.h"

class PlatformTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // The folder standing for HKEY_CURRENT_USER\SOFTWARE.
    const std::string& ConfigRoot() const { return configRoot_; }
    const std::string& TempDir() const { return tempDir_; }
    // The file behind SOFTWARE\Qor\Tintaro\<name>.
    std::string GameValuePath(const std::string& name) const { return configRoot_ + "/Qor/Tintaro/" + name; }
    // The private folder standing for $XDG_RUNTIME_DIR.
    const std::string& RuntimeDir() const { return runtimeDir_; }

    // One scripted input event: a key, or the stylus at screen (x, y).
    void ScriptKeyEvent(platform::InputType type, UINT vk, bool repeat = false) { backend.Script({type, vk, 0, 0, 0, repeat}); }
    void ScriptStylusEvent(platform::InputType type, int x, int y) { backend.Script({type, 0, 0, x, y, false}); }

    platform::HeadlessBackend backend;

private:
    std::string tempDir_;
    std::string configRoot_;
    std::string runtimeDir_;
    // The variables a test may change, as they were before it.
    std::vector<std::pair<const char*, std::optional<std::string>>> savedEnvironment_;
};

// Rectangles compare and print as {left, top, right, bottom}.
inline bool operator==(const RECT& a, const RECT& b) {
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}
inline void PrintTo(const RECT& r, std::ostream* os) { *os << "{" << r.left << ", " << r.top << ", " << r.right << ", " << r.bottom << "}"; }

std::vector<uint8_t> ReadBytes(const std::string& path);
void WriteBytes(const std::string& path, const std::vector<uint8_t>& bytes);  // creates folders
bool FileExists(const std::string& path);
// Runs body in a child process that ends with body's result; returns the wait status.
int RunChild(const std::function<int()>& body);

// A real window of the layer that records what it receives, in order.
class RecordingWindow {
public:
    struct Entry { UINT message; WPARAM wParam; LPARAM lParam; };

    // Visible windows take input; the window starts valid, with nothing to paint.
    explicit RecordingWindow(bool visible = false);
    // Any window: a child (WS_CHILD, parent, control id) or a top-level window owned by parent.
    RecordingWindow(DWORD style, HWND parent, RECT rect, UINT id = 0);
    ~RecordingWindow();
    RecordingWindow(const RecordingWindow&) = delete;
    RecordingWindow& operator=(const RecordingWindow&) = delete;

    HWND hwnd() const { return hwnd_; }
    // Messages received, leaving out the creation, size, enabling and destruction traffic.
    std::vector<UINT> Messages() const;
    const std::vector<Entry>& Entries() const { return entries_; }
    std::vector<Entry> Of(UINT message) const;
    void Clear() { entries_.clear(); }
    // Runs for every message, after it is recorded; its result is the window's answer.
    std::function<LRESULT(UINT, WPARAM, LPARAM)> onMessage;

    // Dispatches everything the queue holds now (posted messages, input, paints), never waiting.
    static int DrainQueue();

    static LRESULT CALLBACK Proc(HWND, UINT, WPARAM, LPARAM);

private:
    HWND hwnd_ = nullptr;
    std::vector<Entry> entries_;
};
