// Start-up and shut-down through the real entry point on the headless backend.
#include <gtest/gtest.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstring>
#include <thread>
#include <tuple>

#include "engine/PuzzleGame.h"
#include "game/GameWnd.h"
#include "game/WinMain.h"
#include "platform/Backend.h"
#include "platform/Device.h"
#include "platform/Gdi.h"
#include "platform/Registry.h"
#include "platform/Runtime.h"
#include "platform/SingleInstance.h"
#include "platform/SoftKeyBar.h"
#include "platform/WindowTable.h"
#include "platform/Windowing.h"
#include "res/Resources.h"
#include "tests/support/PlatformFixture.h"

namespace {

std::vector<uint8_t> Dword(uint32_t v) {
    return {static_cast<uint8_t>(v), static_cast<uint8_t>(v >> 8), static_cast<uint8_t>(v >> 16),
            static_cast<uint8_t>(v >> 24)};
}

// What the store looks like on disk: the bytes and the file itself (a rewrite makes a new file).
struct FileSnapshot {
    std::vector<uint8_t> bytes;
    ino_t inode = 0;
    timespec mtime{};

    static FileSnapshot Of(const std::string& path) {
        FileSnapshot s;
        struct stat st;
        if (stat(path.c_str(), &st) != 0) return s;
        s.bytes = ReadBytes(path);
        s.inode = st.st_ino;
        s.mtime = st.st_mtim;
        return s;
    }
    bool operator==(const FileSnapshot& o) const {
        return bytes == o.bytes && inode == o.inode && mtime.tv_sec == o.mtime.tv_sec &&
               mtime.tv_nsec == o.mtime.tv_nsec;
    }
};

class StartUpTest : public PlatformTest {
protected:
    void SetUp() override {
        PlatformTest::SetUp();
        instance = platform::RegisterModule(TintaroResources());
    }

    int RunGame() {
        wchar_t commandLine[] = L"";
        return WinMain(instance, nullptr, commandLine, SW_SHOW);
    }

    // A game in the middle of a series, as the engine itself would save it.
    std::vector<uint8_t> SavedSeries() {
        CPuzzleGame game;
        game.m_nMode = GAME_NORMAL;
        game.NewGame();
        game.Press(1, 1);
        game.Press(0, 2);
        BYTE bytes[GAME_STATE_SIZE];
        game.PackState(bytes);
        return std::vector<uint8_t>(bytes, bytes + GAME_STATE_SIZE);
    }

    HINSTANCE instance = nullptr;
};

TEST_F(StartUpTest, CloseEndsWithExitCodeZeroAndWritesBothValues) {
    backend.ScriptClose();
    EXPECT_EQ(RunGame(), 0);
    EXPECT_EQ(ReadBytes(GameValuePath("PlaySounds")), Dword(1)) << "sound is on by default";
    EXPECT_EQ(ReadBytes(GameValuePath("GameState")).size(), 108u);
    EXPECT_EQ(platform::WindowsInCreationOrder().size(), 0u) << "the window went with its object";
}

TEST_F(StartUpTest, TheSoundSettingIsReadAsAFlagAndWrittenBackAsOne) {
    for (auto [stored, expected] : {std::pair<uint32_t, uint32_t>{0, 0}, {7, 1}, {1, 1}, {0xFFFFFFFF, 1}}) {
        WriteBytes(GameValuePath("PlaySounds"), Dword(stored));
        {
            CGameWnd probe;
            EXPECT_EQ(probe.m_bPlaySounds, static_cast<BOOL>(expected)) << stored;
        }
        backend.ScriptClose();
        EXPECT_EQ(RunGame(), 0);
        EXPECT_EQ(ReadBytes(GameValuePath("PlaySounds")), Dword(expected)) << stored;
    }
    WriteBytes(GameValuePath("PlaySounds"), {0x00, 0x01});
    CGameWnd shortValue;
    EXPECT_EQ(shortValue.m_bPlaySounds, 1) << "the bytes stored are the low bytes";
}

TEST_F(StartUpTest, TheCounterFontFollowsTheIconSize) {
    for (auto [width, height, expected] : {std::tuple{240, 320, 18}, std::tuple{480, 640, 36}}) {
        platform::SelectDeviceProfile(width, height);
        CGameWnd game;
        LOGFONTW lf{};
        ASSERT_EQ(GetObjectW(game.m_hFont, sizeof(lf), &lf), static_cast<int>(sizeof(lf)));
        EXPECT_EQ(lf.lfHeight, expected) << width;
        EXPECT_EQ(lf.lfWeight, FW_BOLD);
        EXPECT_STREQ(lf.lfFaceName, L"Tahoma");
    }
}

TEST_F(StartUpTest, TheSavedGameComesBackAsItWasLeft) {
    std::vector<uint8_t> saved = SavedSeries();
    WriteBytes(GameValuePath("GameState"), saved);
    backend.ScriptKey(VK_F2);  // input the game ignores: nothing may change the board
    backend.ScriptClose();
    EXPECT_EQ(RunGame(), 0);
    EXPECT_EQ(ReadBytes(GameValuePath("GameState")), saved) << "no new game is started at start-up";
}

TEST_F(StartUpTest, TheWindowFillsTheAreaBetweenTheBarsWithTheMenuSoftKey) {
    RECT rect{};
    std::vector<platform::SoftKeyLabel> labels;
    bool looked = false;
    backend.SetIdleHandler([&] {
        if (looked) return false;
        looked = true;
        HWND game = FindWindowW(L"ClassTintaro", L"Qor Tintaro");
        GetWindowRect(game, &rect);
        labels = platform::SoftKeyLabelsOf(game);
        backend.ScriptClose();
        return true;
    });
    EXPECT_EQ(RunGame(), 0);
    EXPECT_EQ(rect.top, 26);
    EXPECT_EQ(rect.bottom, 294);
    EXPECT_EQ(rect.right, 240);
    ASSERT_EQ(labels.size(), 1u);
    EXPECT_EQ(labels[0].text, L"Menu");
    ASSERT_GT(backend.FramesPresented(), 0) << "the first paint reached the screen";
    EXPECT_EQ(backend.FramePixel(120, 160), 0x0000) << "the client is black until the board view exists";
    EXPECT_NE(backend.FramePixel(120, 5), 0x0000) << "the status bar";
    EXPECT_NE(backend.FramePixel(120, 310), 0x0000) << "the soft-key bar";
}

TEST_F(StartUpTest, TheWindowHearsItsSizeBeforeItsFirstPaint) {
    struct Order : CGameWnd {
        std::vector<UINT> seen;
        int OnSize(HWND h, WPARAM wp, LPARAM lp) override {
            seen.push_back(WM_SIZE);
            EXPECT_NE(lp, 0) << "never 0 x 0";
            return CGameWnd::OnSize(h, wp, lp);
        }
        int OnDraw(HWND h, HDC dc, const RECT& rc) override {
            seen.push_back(WM_PAINT);
            return CGameWnd::OnDraw(h, dc, rc);
        }
    } game;
    ASSERT_TRUE(game.Create(L"Qor Tintaro", nullptr, instance, L"ClassTintaro", CW_USEDEFAULT, CW_USEDEFAULT,
                            CW_USEDEFAULT, CW_USEDEFAULT, 0, 0));
    // One from the full-screen set-up inside OnInit, one from the creation itself.
    EXPECT_EQ(game.seen, (std::vector<UINT>{WM_SIZE, WM_SIZE}));
    ShowWindow(game.m_hWnd, SW_SHOW);
    ShowWindow(game.m_hWnd, SW_MINIMIZE);
    RecordingWindow::DrainQueue();
    EXPECT_EQ(game.seen, (std::vector<UINT>{WM_SIZE, WM_SIZE, WM_PAINT})) << "minimising sends no size";
}

TEST_F(StartUpTest, ASecondCopyRaisesTheFirstAndLeavesTheStoreAlone) {
    WriteBytes(GameValuePath("PlaySounds"), Dword(7));
    WriteBytes(GameValuePath("GameState"), SavedSeries());
    // The running copy, as another process holds it: the lock, and the socket it listens on.
    std::string lock = platform::InstanceLockPath(L"ClassTintaro", L"Qor Tintaro");
    int lockFd = open(lock.c_str(), O_RDWR | O_CREAT, 0600);
    ASSERT_EQ(flock(lockFd, LOCK_EX | LOCK_NB), 0);
    int listener = socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un a{};
    a.sun_family = AF_UNIX;
    std::string sock = lock.substr(0, lock.size() - 5) + ".sock";
    std::strncpy(a.sun_path, sock.c_str(), sizeof(a.sun_path) - 1);
    ASSERT_EQ(bind(listener, reinterpret_cast<sockaddr*>(&a), sizeof(a)), 0);
    ASSERT_EQ(listen(listener, 1), 0);
    FileSnapshot sound = FileSnapshot::Of(GameValuePath("PlaySounds"));
    FileSnapshot state = FileSnapshot::Of(GameValuePath("GameState"));
    char buffer[16] = {};
    std::thread running([&] {
        int client = accept(listener, nullptr, nullptr);
        EXPECT_GT(read(client, buffer, sizeof(buffer) - 1), 0);
        EXPECT_EQ(write(client, "ok\n", 3), 3);
        close(client);
    });

    EXPECT_EQ(RunGame(), 0);
    running.join();
    EXPECT_EQ(backend.FramesPresented(), 0) << "no window was shown";
    EXPECT_TRUE(FileSnapshot::Of(GameValuePath("PlaySounds")) == sound);
    EXPECT_TRUE(FileSnapshot::Of(GameValuePath("GameState")) == state);
    EXPECT_STREQ(buffer, "raise\n");
    close(listener);
    close(lockFd);
}

TEST_F(StartUpTest, TwoProcessesTheSecondExitsAtOnceAndTheFirstComesToTheFront) {
    WriteBytes(GameValuePath("PlaySounds"), Dword(0));
    std::vector<uint8_t> saved = SavedSeries();
    WriteBytes(GameValuePath("GameState"), saved);
    FileSnapshot sound = FileSnapshot::Of(GameValuePath("PlaySounds"));
    FileSnapshot state = FileSnapshot::Of(GameValuePath("GameState"));
    int childStatus = -1;
    bool storeUntouched = false;
    int raisedBeforeClose = -1;
    int step = 0;
    std::string configRoot = ConfigRoot();
    backend.SetIdleHandler([&] {
        switch (step++) {
            case 0: {
                pid_t child = fork();
                if (child == 0) {
                    // A second start: a fresh platform in a new process, same user folders.
                    platform::ResetAll();
                    static platform::HeadlessBackend second;
                    platform::SetBackend(&second);
                    platform::SetSettingsRoot(configRoot);
                    HINSTANCE module = platform::RegisterModule(TintaroResources());
                    wchar_t commandLine[] = L"";
                    int code = WinMain(module, nullptr, commandLine, SW_SHOW);
                    _exit(code != 0 ? 10 + code : second.FramesPresented() != 0 ? 2 : 0);
                }
                // The first copy keeps serving while the second one waits for its answer.
                while (waitpid(child, &childStatus, WNOHANG) == 0) platform::DispatchReadable(50);
                storeUntouched = FileSnapshot::Of(GameValuePath("PlaySounds")) == sound &&
                                 FileSnapshot::Of(GameValuePath("GameState")) == state;
                return true;
            }
            case 1:
                raisedBeforeClose = backend.Raised();
                backend.ScriptClose();
                return true;
            default:
                return false;
        }
    });
    EXPECT_EQ(RunGame(), 0);
    ASSERT_TRUE(WIFEXITED(childStatus));
    EXPECT_EQ(WEXITSTATUS(childStatus), 0) << "exit code 0 and no window in the second process";
    EXPECT_TRUE(storeUntouched);
    EXPECT_EQ(raisedBeforeClose, 1);
    EXPECT_EQ(ReadBytes(GameValuePath("PlaySounds")), Dword(0)) << "the first copy still saves its own";
    EXPECT_EQ(ReadBytes(GameValuePath("GameState")), saved);
}

}  // namespace
