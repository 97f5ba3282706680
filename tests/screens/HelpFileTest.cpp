// The help launcher: the page beside the program's real file reaches the opener as one argument,
// whatever its folder is called; a missing page or opener starts nothing; only the opener is reaped.
#include <gtest/gtest.h>

#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>

#include "platform/ShellExecute.h"
#include "screens/HelpFile.h"
#include "tests/support/PlatformFixture.h"

namespace fs = std::filesystem;

namespace {

// Opens documents the default way: by starting the opener.
struct SpawningBackend : platform::HeadlessBackend {
    bool OpenDocument(const std::string& path) override { return Backend::OpenDocument(path); }
};

pid_t Spawn(std::vector<const char*> argv) {
    argv.push_back(nullptr);
    pid_t pid = -1;
    return posix_spawnp(&pid, argv[0], nullptr, nullptr, const_cast<char**>(argv.data()), environ) == 0 ? pid : -1;
}

class HelpFileTest : public PlatformTest {
protected:
    void TearDown() override { unsetenv("TINTARO_OPENER"), PlatformTest::TearDown(); }
};

TEST_F(HelpFileTest, AnAwkwardFolderReachesTheOpenerAsOneArgumentAndRunsNothingElse) {
    // Longer than the phone's 256 characters, shell syntax, a byte that is not UTF-8.
    std::string name = "'1' \"2\" ; $(touch x) `touch x` & \xff " + std::string(180, 'a');
    fs::path folder = fs::path(TempDir()) / name / "one more";
    fs::create_directories(folder);
    fs::copy_file(HELP_PROBE, folder / "help-probe");
    WriteBytes(folder / "Vokamer.htm", {'<', 'p', '>'});
    // Started through a link elsewhere, as from the PATH: the real folder is where it looks.
    fs::create_symlink(folder / "help-probe", TempDir() + "/help-probe");
    fs::path was = fs::current_path();
    fs::current_path(TempDir());  // where a shell would touch x
    setenv("TINTARO_OPENER", HELP_PROBE, 1);
    setenv("HELP_PROBE_RECORD", (TempDir() + "/record").c_str(), 1);
    pid_t probe = Spawn({(TempDir() + "/help-probe").c_str(), "--open-help"});
    int status = -1;
    ASSERT_EQ(waitpid(probe, &status, 0), probe);
    fs::current_path(was);
    EXPECT_EQ(status, 0) << "the opener ended and was reaped";
    std::vector<uint8_t> got = ReadBytes(TempDir() + "/record");
    EXPECT_EQ(std::string(got.begin(), got.end()), folder.native() + "/Vokamer.htm" + '\0') << "one argument";
    for (const fs::directory_entry& e : fs::recursive_directory_iterator(TempDir()))
        EXPECT_NE(e.path().filename(), "x") << "no shell ran";
}

TEST_F(HelpFileTest, AMissingPageOrOpenerStartsNothingAndOnlyTheOpenerIsReaped) {
    const std::string page = TempDir() + "/page.htm";
    WriteBytes(page, {'<', 'p', '>'});
    EXPECT_TRUE(OpenHelpFile(L"No such page.htm"));
    EXPECT_FALSE(ShellOpenDocument(TempDir())) << "a folder is no document";
    EXPECT_TRUE(ShellOpenDocument(page));
    EXPECT_EQ(backend.OpenedDocuments(), (std::vector<std::vector<std::string>>{{"xdg-open", page}}));
    SpawningBackend spawning;
    platform::SetBackend(&spawning);
    setenv("TINTARO_OPENER", (TempDir() + "/no such opener").c_str(), 1);
    EXPECT_FALSE(ShellOpenDocument(page));
    EXPECT_EQ(platform::ReapFinishedChildren(), 0);
    setenv("TINTARO_OPENER", "true", 1);
    pid_t other = Spawn({"true"});
    siginfo_t info{};
    ASSERT_EQ(waitid(P_PID, static_cast<id_t>(other), &info, WEXITED | WNOWAIT), 0);  // ended, not reaped
    ASSERT_TRUE(ShellOpenDocument(page));
    for (int wakeUps = 0; platform::ReapFinishedChildren() > 0; ++wakeUps) {
        ASSERT_LT(wakeUps, 100) << "woken by the opener's end, yet not reaped";
        ASSERT_TRUE(platform::DispatchReadable(-1));
    }
    EXPECT_EQ(waitpid(other, nullptr, 0), other) << "still there for the code that started it";
    EXPECT_EQ(waitid(P_ALL, 0, &info, WEXITED | WNOHANG), -1) << "no zombie left";
}

}  // namespace
