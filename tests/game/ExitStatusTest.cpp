// How the game ends when its settings cannot be saved or kept to itself; an empty sound setting.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstring>
#include <filesystem>

#include "game/GameWnd.h"
#include "game/WinMain.h"
#include "platform/Registry.h"
#include "platform/Resources.h"
#include "platform/Runtime.h"
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
};

TEST_F(ExitStatusTest, AFailedSaveOfEitherValueEndsWithStatusOneAndSaysWhereAndWhy) {
    for (std::string blocked : {"GameState", "PlaySounds"}) {
        platform::ResetAll();
        platform::SetSettingsRoot(ConfigRoot());
        platform::SetBackend(&backend);
        std::filesystem::remove_all(ConfigRoot());
        std::filesystem::create_directories(GameValuePath(blocked));  // a folder in the value's place
        EXPECT_EQ(RunGame(), 1) << blocked;
        std::vector<std::string> problems = ExitProblems();
        EXPECT_EQ(problems, std::vector<std::string>{"could not save \"" + blocked + "\" in " + ConfigRoot() +
                                                     "/Qor/Tintaro: " + std::strerror(EISDIR)});
        EXPECT_EQ(ReadBytes(GameValuePath(blocked == "GameState" ? "PlaySounds" : "GameState")).empty(), false);
    }
}

TEST_F(ExitStatusTest, ACopyThatCannotTakeTheLockPlaysButWritesNothing) {
    if (geteuid() != 0) GTEST_SKIP() << "handing a folder to someone else needs root";
    unsetenv("XDG_RUNTIME_DIR");
    WriteBytes(GameValuePath("GameState"), std::vector<uint8_t>(108, 0));
    ASSERT_EQ(chown(ConfigRoot().c_str(), 65534, 65534), 0);  // no lock of ours can live there
    struct stat before{}, after{};
    ASSERT_EQ(stat(GameValuePath("GameState").c_str(), &before), 0);
    EXPECT_EQ(RunGame(), 1);
    EXPECT_GT(backend.FramesPresented(), 0);
    EXPECT_FALSE(FileExists(GameValuePath("PlaySounds")));
    ASSERT_EQ(stat(GameValuePath("GameState").c_str(), &after), 0);
    EXPECT_EQ(after.st_ino, before.st_ino) << "the saved game was not written";
    ASSERT_EQ(ExitProblems().size(), 1u);
    EXPECT_NE(ExitProblems()[0].find(ConfigRoot()), std::string::npos) << ExitProblems()[0];
}

TEST_F(ExitStatusTest, AnEmptySoundSettingLeavesTheSoundOn) {
    WriteBytes(GameValuePath("PlaySounds"), {});
    EXPECT_EQ(CGameWnd().m_bPlaySounds, 1);
}

}  // namespace
