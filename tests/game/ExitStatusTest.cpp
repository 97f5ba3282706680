// How the game ends when its settings cannot be saved or kept to itself, and an empty sound setting.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>

#include "game/GameWnd.h"
#include "game/WinMain.h"
#include "platform/Registry.h"
#include "platform/Resources.h"
#include "platform/Runtime.h"
#include "platform/Windowing.h"
#include "res/Resources.h"
#include "tests/support/PlatformFixture.h"

namespace {

class ExitStatusTest : public PlatformTest {
protected:
    int RunGame() {
        backend.ScriptClose();
        wchar_t commandLine[] = L"";
        return WinMain(platform::RegisterModule(TintaroResources()), nullptr, commandLine, SW_SHOW);
    }
    std::string Folder() const { return ConfigRoot() + "/Qor/Tintaro"; }
};

TEST_F(ExitStatusTest, AFailedSaveOfEitherValueEndsWithStatusOneAndSaysWhereAndWhy) {
    for (const std::string blocked : {"GameState", "PlaySounds"}) {
        std::filesystem::remove_all(ConfigRoot());
        std::filesystem::create_directories(GameValuePath(blocked));  // a folder in the value's place
        EXPECT_EQ(RunGame(), 1) << blocked;
        std::vector<std::string> problems = ExitProblems();
        ASSERT_EQ(problems.size(), 1u) << blocked;
        for (const std::string& part : {Folder(), blocked, std::string(std::strerror(EISDIR))})
            EXPECT_NE(problems[0].find(part), std::string::npos) << problems[0] << " lacks " << part;
        std::string other = blocked == "GameState" ? "PlaySounds" : "GameState";
        EXPECT_FALSE(ReadBytes(GameValuePath(other)).empty()) << "the other value is still saved";
        platform::ResetAll();
        platform::SetSettingsRoot(ConfigRoot());
        platform::SetBackend(&backend);
    }
}

TEST_F(ExitStatusTest, ACopyThatCannotTakeTheLockRunsButWritesNothing) {
    unsetenv("XDG_RUNTIME_DIR");
    // The settings folder is someone else's: no lock of ours can live there.
    ASSERT_EQ(mkdir(ConfigRoot().c_str(), 0700), 0);
    WriteBytes(GameValuePath("GameState"), std::vector<uint8_t>(108, 0));
    ASSERT_EQ(chown(ConfigRoot().c_str(), 65534, 65534), 0);
    struct stat before{};
    ASSERT_EQ(stat(GameValuePath("GameState").c_str(), &before), 0);

    EXPECT_EQ(RunGame(), 1);
    EXPECT_GT(backend.FramesPresented(), 0) << "the game still ran";
    EXPECT_FALSE(FileExists(GameValuePath("PlaySounds")));
    struct stat after{};
    ASSERT_EQ(stat(GameValuePath("GameState").c_str(), &after), 0);
    EXPECT_EQ(after.st_ino, before.st_ino) << "the saved game was not written";
    ASSERT_EQ(ExitProblems().size(), 1u);
    EXPECT_NE(ExitProblems()[0].find(ConfigRoot()), std::string::npos) << ExitProblems()[0];
}

TEST_F(ExitStatusTest, AnEmptySoundSettingLeavesTheSoundOn) {
    WriteBytes(GameValuePath("PlaySounds"), {});
    CGameWnd game;
    EXPECT_EQ(game.m_bPlaySounds, 1);
}

}  // namespace
