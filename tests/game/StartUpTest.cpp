// Start-up and shut-down through the real entry point on the headless backend: the sound setting,
// a second copy, and how the game ends when its settings cannot be saved or kept to itself.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstring>
#include <filesystem>
#include <optional>
#include <tuple>

#include "engine/PuzzleGame.h"
#include "game/GameWnd.h"
#include "game/WinMain.h"
#include "platform/Backend.h"
#include "platform/Device.h"
#include "platform/Registry.h"
#include "platform/Runtime.h"
#include "platform/WindowTable.h"
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
    int RunGame(bool close = true) {
        if (close) backend.ScriptClose();
        wchar_t commandLine[] = L"";
        return WinMain(platform::RegisterModule(TintaroResources()), nullptr, commandLine, SW_SHOW);
    }
};

TEST_F(StartUpTest, TheSoundSettingIsReadAsAFlagAndWrittenBackAsOne) {
    // Nothing stored (on by default), an empty value, the low bytes only, then whole values.
    const std::pair<std::optional<std::vector<uint8_t>>, uint32_t> cases[] = {
        {std::nullopt, 1}, {std::vector<uint8_t>{}, 1}, {std::vector<uint8_t>{0, 1}, 1},
        {Dword(0), 0},     {Dword(7), 1},               {Dword(0xFFFFFFFF), 1}};
    for (const auto& [stored, expected] : cases) {
        std::filesystem::remove(GameValuePath("PlaySounds"));
        if (stored) WriteBytes(GameValuePath("PlaySounds"), *stored);
        EXPECT_EQ(RunGame(), 0);
        EXPECT_EQ(ReadBytes(GameValuePath("PlaySounds")), Dword(expected)) << expected;
    }
    EXPECT_EQ(ReadBytes(GameValuePath("GameState")).size(), 108u);
    EXPECT_TRUE(platform::WindowsInCreationOrder().empty()) << "the window went with its object";
}

// The second copy waits for the first to answer, exits 0 without a window or a write; the first
// comes to the front and, closed, saves its own game as it was left: no new game at start-up.
TEST_F(StartUpTest, TwoProcessesTheSecondExitsAtOnceAndTheFirstComesToTheFront) {
    CPuzzleGame series;
    series.m_nMode = GAME_NORMAL;
    series.NewGame();
    series.Press(1, 1);
    BYTE bytes[GAME_STATE_SIZE];
    series.PackState(bytes);
    const std::vector<uint8_t> saved(bytes, bytes + GAME_STATE_SIZE);
    WriteBytes(GameValuePath("PlaySounds"), Dword(0));
    WriteBytes(GameValuePath("GameState"), saved);
    const auto sound = Snapshot(GameValuePath("PlaySounds")), state = Snapshot(GameValuePath("GameState"));
    int childStatus = -1, raisedBeforeClose = -1, step = 0;
    bool storeUntouched = false;
    const std::string configRoot = ConfigRoot();
    backend.SetIdleHandler([&] {
        // Then a key the game ignores, which must not change the board either, and the close.
        if (step++ > 0)
            return step == 2 && (raisedBeforeClose = backend.Raised(), backend.ScriptKey(VK_F2), backend.ScriptClose(), true);
        pid_t child = fork();
        if (child == 0) {
            // A second start: a fresh platform in a new process, same user folders.
            platform::ResetAll();
            static platform::HeadlessBackend second;
            platform::SetBackend(&second);
            platform::SetSettingsRoot(configRoot);
            const int code = RunGame(false);
            _exit(code != 0 ? 10 + code : second.FramesPresented() != 0 ? 2 : 0);
        }
        while (waitpid(child, &childStatus, WNOHANG) == 0) platform::DispatchReadable(50);
        storeUntouched = Snapshot(GameValuePath("PlaySounds")) == sound && Snapshot(GameValuePath("GameState")) == state;
        return true;
    });
    EXPECT_EQ(RunGame(false), 0);
    ASSERT_TRUE(WIFEXITED(childStatus));
    EXPECT_EQ(WEXITSTATUS(childStatus), 0) << "exit code 0 and no window in the second process";
    EXPECT_TRUE(storeUntouched);
    EXPECT_EQ(raisedBeforeClose, 1);
    EXPECT_EQ(ReadBytes(GameValuePath("PlaySounds")), Dword(0)) << "the first copy still saves its own";
    EXPECT_EQ(ReadBytes(GameValuePath("GameState")), saved);
}

TEST_F(StartUpTest, AFailedSaveOfEitherValueEndsWithStatusOneAndSaysWhereAndWhy) {
    for (std::string blocked : {"GameState", "PlaySounds"}) {
        platform::ResetAll();
        platform::SetSettingsRoot(ConfigRoot());
        platform::SetBackend(&backend);
        std::filesystem::remove_all(ConfigRoot());
        std::filesystem::create_directories(GameValuePath(blocked));  // a folder in the value's place
        EXPECT_EQ(RunGame(), 1) << blocked;
        EXPECT_EQ(ExitProblems(), std::vector<std::string>{"could not save \"" + blocked + "\" in " + ConfigRoot() +
                                                           "/Qor/Tintaro: " + std::strerror(EISDIR)});
        EXPECT_FALSE(ReadBytes(GameValuePath(blocked == "GameState" ? "PlaySounds" : "GameState")).empty());
    }
}

TEST_F(StartUpTest, ACopyThatCannotTakeTheLockPlaysButWritesNothing) {
    if (geteuid() != 0) GTEST_SKIP() << "handing a folder to someone else needs root";
    unsetenv("XDG_RUNTIME_DIR");
    WriteBytes(GameValuePath("GameState"), std::vector<uint8_t>(108, 0));
    ASSERT_EQ(chown(ConfigRoot().c_str(), 65534, 65534), 0);  // no lock of ours can live there
    const auto before = Snapshot(GameValuePath("GameState"));
    EXPECT_EQ(RunGame(), 1);
    EXPECT_GT(backend.FramesPresented(), 0);
    EXPECT_FALSE(FileExists(GameValuePath("PlaySounds")));
    EXPECT_EQ(Snapshot(GameValuePath("GameState")), before) << "the saved game was not written";
    ASSERT_EQ(ExitProblems().size(), 1u);
    EXPECT_NE(ExitProblems()[0].find(ConfigRoot()), std::string::npos) << ExitProblems()[0];
}

}  // namespace
