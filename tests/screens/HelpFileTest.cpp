// The help launcher: the page beside the program reaches the opener as one argument whatever the
// folder is called; a missing page or opener changes nothing; the opener is reaped, nothing else.
#include <gtest/gtest.h>

#include <spawn.h>
#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "platform/Backend.h"
#include "platform/ShellExecute.h"
#include "screens/HelpFile.h"
#include "tests/support/PlatformFixture.h"

extern char** environ;

namespace fs = std::filesystem;

namespace {

// Opens documents the default way, by starting the opener.
class SpawningBackend : public platform::HeadlessBackend {
public:
    bool OpenDocument(const std::string& path) override { return Backend::OpenDocument(path); }
};

pid_t Spawn(const std::vector<std::string>& argv, std::vector<std::string> env, const std::string& folder) {
    std::vector<char*> args, envp;
    for (const std::string& a : argv) args.push_back(const_cast<char*>(a.c_str()));
    args.push_back(nullptr);
    for (char** e = environ; *e; ++e) env.emplace_back(*e);
    for (std::string& e : env) envp.push_back(e.data());
    envp.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addchdir_np(&actions, folder.c_str());
    pid_t pid = -1;
    if (posix_spawnp(&pid, args[0], &actions, nullptr, args.data(), envp.data()) != 0) pid = -1;
    posix_spawn_file_actions_destroy(&actions);
    return pid;
}

class HelpFileTest : public PlatformTest {
protected:
    void SetUp() override {
        PlatformTest::SetUp();
        unsetenv("TINTARO_OPENER");
        page = TempDir() + "/page.htm";
        WriteBytes(page, {'<', 'p', '>'});
    }
    void TearDown() override {
        unsetenv("TINTARO_OPENER");
        PlatformTest::TearDown();
    }
    std::string page;
};

TEST_F(HelpFileTest, AnAwkwardFolderReachesTheOpenerAsOneArgumentAndRunsNothingElse) {
    // Longer than the phone's 256 characters, with a byte that is not UTF-8.
    std::string name = "help 'single' \"double\" ; $(touch x) `touch x` & \xff " + std::string(180, 'a');
    fs::path folder = fs::path(TempDir()) / name / "and one more";
    fs::create_directories(folder);
    fs::copy_file(HELP_PROBE, folder / "help-probe");
    fs::permissions(folder / "help-probe", fs::perms::owner_all);
    WriteBytes((folder / "Vokamer.htm").native(), {'<', 'p', '>'});
    std::string record = TempDir() + "/record";
    // Started through a link elsewhere, as from the PATH: the real folder is where it looks.
    fs::create_directory(fs::path(TempDir()) / "bin");
    fs::create_symlink(folder / "help-probe", fs::path(TempDir()) / "bin" / "help-probe");

    pid_t probe = Spawn({TempDir() + "/bin/help-probe", "--open-help"},
                        {std::string("TINTARO_OPENER=") + HELP_PROBE, "HELP_PROBE_RECORD=" + record}, TempDir());
    ASSERT_GT(probe, 0);
    int status = -1;
    ASSERT_EQ(waitpid(probe, &status, 0), probe);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "the opener ended and was reaped";
    std::string expected = folder.native() + "/Vokamer.htm";
    EXPECT_GT(expected.size(), 256u);
    std::vector<uint8_t> got = ReadBytes(record);
    EXPECT_EQ(std::string(got.begin(), got.end()), expected + '\0') << "one argument, byte for byte";
    for (const fs::directory_entry& e : fs::recursive_directory_iterator(TempDir()))
        EXPECT_NE(e.path().filename(), "x") << "no shell ran";
}

TEST_F(HelpFileTest, AMissingPageOrOpenerStartsNothingAndReportsNothing) {
    EXPECT_TRUE(OpenHelpFile(L"No such page.htm"));
    EXPECT_TRUE(OpenHelpFile(nullptr));
    EXPECT_TRUE(backend.OpenedDocuments().empty());
    EXPECT_FALSE(ShellOpenDocument(TempDir())) << "a folder is no document";
    EXPECT_TRUE(ShellOpenDocument(page));
    EXPECT_EQ(backend.OpenedDocuments(), (std::vector<std::vector<std::string>>{{"xdg-open", page}}));

    SpawningBackend spawning;
    platform::SetBackend(&spawning);
    setenv("TINTARO_OPENER", (TempDir() + "/no such opener").c_str(), 1);
    EXPECT_FALSE(ShellOpenDocument(page));
    EXPECT_EQ(platform::ReapFinishedChildren(), 0);
}

TEST_F(HelpFileTest, TheOpenerIsReapedAndOtherChildrenAreLeftToTheirOwner) {
    SpawningBackend spawning;
    platform::SetBackend(&spawning);
    pid_t other = Spawn({"true"}, {}, TempDir());
    ASSERT_GT(other, 0);
    siginfo_t info{};
    ASSERT_EQ(waitid(P_PID, static_cast<id_t>(other), &info, WEXITED | WNOWAIT), 0);  // ended, left unreaped
    setenv("TINTARO_OPENER", "true", 1);
    ASSERT_TRUE(ShellOpenDocument(page));
    // The opener's end wakes the loop's wait for readable descriptors.
    for (int wakeUps = 0; platform::ReapFinishedChildren() > 0; ++wakeUps) {
        ASSERT_LT(wakeUps, 100) << "woken, yet not reaped";
        ASSERT_TRUE(platform::DispatchReadable(-1));
    }
    EXPECT_EQ(waitpid(other, nullptr, 0), other) << "still there for the code that started it";
    errno = 0;
    EXPECT_EQ(waitid(P_ALL, 0, &info, WEXITED | WNOHANG), -1);
    EXPECT_EQ(errno, ECHILD) << "no zombie left";
}

}  // namespace
