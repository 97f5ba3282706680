// Test support: platform reset, temporary folders, a recording window.
#include "tests/support/PlatformFixture.h"

#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "platform/Backend.h"
#include "platform/Messages.h"
#include "platform/Registry.h"
#include "platform/Runtime.h"
#include "platform/Windowing.h"

namespace fs = std::filesystem;

void PlatformTest::SetUp() {
    platform::ResetAll();
    std::string pattern = (fs::temp_directory_path() / "tintaro-test-XXXXXX").string();
    ASSERT_NE(mkdtemp(pattern.data()), nullptr);
    tempDir_ = pattern;
    configRoot_ = tempDir_ + "/config";
    platform::SetSettingsRoot(configRoot_);
    savedEnvironment_.clear();
    for (const char* name : {"HOME", "XDG_CONFIG_HOME", "XDG_RUNTIME_DIR"}) {
        const char* value = std::getenv(name);
        savedEnvironment_.emplace_back(name, value ? std::optional<std::string>(value) : std::nullopt);
    }
    // Single-instance locks and sockets stay inside the test's folder.
    runtimeDir_ = tempDir_ + "/run";
    ASSERT_EQ(mkdir(runtimeDir_.c_str(), 0700), 0);
    setenv("XDG_RUNTIME_DIR", runtimeDir_.c_str(), 1);
    platform::SetBackend(&backend);
}

void PlatformTest::TearDown() {
    platform::ResetAll();
    for (const auto& [name, value] : savedEnvironment_) {
        if (value) setenv(name, value->c_str(), 1);
        else unsetenv(name);
    }
    std::error_code ec;
    fs::permissions(tempDir_, fs::perms::owner_all, fs::perm_options::add, ec);
    fs::remove_all(tempDir_, ec);
}

std::vector<uint8_t> ReadBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void WriteBytes(const std::string& path, const std::vector<uint8_t>& bytes) {
    fs::create_directories(fs::path(path).parent_path());
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

bool FileExists(const std::string& path) { return fs::exists(path); }

int RunChild(const std::function<int()>& body) {
    pid_t child = fork();
    if (child == 0) _exit(body());
    int status = -1;
    if (child > 0) waitpid(child, &status, 0);
    return status;
}

RecordingWindow::RecordingWindow(bool visible)
    : RecordingWindow(visible ? WS_VISIBLE : 0, nullptr, RECT{CW_USEDEFAULT, CW_USEDEFAULT, 0, 0}) {}

RecordingWindow::RecordingWindow(DWORD style, HWND parent, RECT rect, UINT id) {
    WNDCLASSW wc{};
    wc.lpfnWndProc = &RecordingWindow::Proc;
    wc.lpszClassName = L"TestRecorder";
    RegisterClassW(&wc);  // 0 when an earlier recorder registered it already
    // CW_USEDEFAULT as the left edge asks for the default place and size.
    const bool byDefault = rect.left == CW_USEDEFAULT;
    hwnd_ = CreateWindowExW(0, wc.lpszClassName, L"recorder", style, rect.left, rect.top,
                            byDefault ? CW_USEDEFAULT : rect.right - rect.left,
                            byDefault ? CW_USEDEFAULT : rect.bottom - rect.top, parent,
                            reinterpret_cast<HMENU>(static_cast<uintptr_t>(id)), nullptr, this);
    ValidateRect(hwnd_, nullptr);  // tests invalidate what they want painted
}

RecordingWindow::~RecordingWindow() {
    if (IsWindow(hwnd_)) {
        SetWindowLongPtrW(hwnd_, GWLP_USERDATA, 0);
        DestroyWindow(hwnd_);
    }
}

std::vector<UINT> RecordingWindow::Messages() const {
    std::vector<UINT> out;
    for (const Entry& e : entries_)
        if (e.message != WM_CREATE && e.message != WM_SIZE && e.message != WM_ENABLE && e.message != WM_DESTROY)
            out.push_back(e.message);
    return out;
}

std::vector<RecordingWindow::Entry> RecordingWindow::Of(UINT message) const {
    std::vector<Entry> out;
    for (const Entry& e : entries_)
        if (e.message == message) out.push_back(e);
    return out;
}

int RecordingWindow::DrainQueue() {
    int n = 0;
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
            PostQuitMessage(static_cast<int>(msg.wParam));
            break;
        }
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
        ++n;
    }
    return n;
}

LRESULT CALLBACK RecordingWindow::Proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_CREATE) {
        auto* cs = reinterpret_cast<CREATESTRUCTW*>(lParam);
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(cs->lpCreateParams));
    }
    auto* self = reinterpret_cast<RecordingWindow*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (!self) return DefWindowProcW(hwnd, message, wParam, lParam);
    self->entries_.push_back({message, wParam, lParam});
    if (self->onMessage) return self->onMessage(message, wParam, lParam);
    return DefWindowProcW(hwnd, message, wParam, lParam);
}
