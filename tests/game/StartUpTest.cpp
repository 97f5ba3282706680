// Start-up and shut-down through the real entry point on the headless backend.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <tuple>

#include "engine/PuzzleGame.h"
#include "game/GameWnd.h"
#include "game/WinMain.h"
#include "platform/Backend.h"
#include "platform/Device.h"
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

// What a value looks like on disk: its bytes and the file itself (a rewrite makes a new file).
std::tuple<std::vector<uint8_t>, ino_t, long, long> Snapshot(const std::string& path) {
    struct stat st {};
    stat(path.c_str(), &st);
    return {ReadBytes(path), st.st_ino, st.st_mtim.tv_sec, st.st_mtim.tv_nsec};
}

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

TEST_F(StartUpTest, TheSoundSettingIsReadAsAFlagAndWrittenBackAsOne) {
    for (auto [stored, expected] : {std::pair<uint32_t, uint32_t>{0, 0}, {7, 1}, {0xFFFFFFFF, 1}}) {
        WriteBytes(GameValuePath("PlaySounds"), Dword(stored));
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
    }
}

TEST_F(StartUpTest, CloseEndsWithExitCodeZeroAndTheSavedGameComesBackAsItWasLeft) {
    backend.ScriptClose();
    EXPECT_EQ(RunGame(), 0);
    EXPECT_EQ(ReadBytes(GameValuePath("PlaySounds")), Dword(1)) << "sound is on by default";
    EXPECT_EQ(ReadBytes(GameValuePath("GameState")).size(), 108u);
    EXPECT_TRUE(platform::WindowsInCreationOrder().empty()) << "the window went with its object";
    std::vector<uint8_t> saved = SavedSeries();
    WriteBytes(GameValuePath("GameState"), saved);
    backend.ScriptKey(VK_F2);  // input the game ignores: nothing may change the board
    backend.ScriptClose();
    EXPECT_EQ(RunGame(), 0);
    EXPECT_EQ(ReadBytes(GameValuePath("GameState")), saved) << "no new game is started at start-up";
}

TEST_F(StartUpTest, TheWindowShowsWithTheMenuSoftKeyBetweenTheBars) {
    std::vector<platform::SoftKeyLabel> labels;
    backend.SetIdleHandler([&] {
        if (!labels.empty()) return false;
        labels = platform::SoftKeyLabelsOf(FindWindowW(L"ClassTintaro", L"Qor Tintaro"));
        backend.ScriptClose();
        return true;
    });
    EXPECT_EQ(RunGame(), 0);
    ASSERT_EQ(labels.size(), 1u);
    EXPECT_EQ(labels[0].text, L"Menu");
    ASSERT_GT(backend.FramesPresented(), 0) << "the first paint reached the screen";
    EXPECT_EQ(backend.FramePixel(4, 160), 0x0000) << "the margin beside the board";
    EXPECT_NE(backend.FramePixel(120, 5), 0x0000) << "the status bar";
    EXPECT_NE(backend.FramePixel(120, 310), 0x0000) << "the soft-key bar";
}

TEST_F(StartUpTest, TwoProcessesTheSecondExitsAtOnceAndTheFirstComesToTheFront) {
    WriteBytes(GameValuePath("PlaySounds"), Dword(0));
    std::vector<uint8_t> saved = SavedSeries();
    WriteBytes(GameValuePath("GameState"), saved);
    const auto sound = Snapshot(GameValuePath("PlaySounds"));
    const auto state = Snapshot(GameValuePath("GameState"));
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
                storeUntouched = Snapshot(GameValuePath("PlaySounds")) == sound &&
                                 Snapshot(GameValuePath("GameState")) == state;
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
