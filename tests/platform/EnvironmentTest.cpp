// Every test starts from the environment the suite started with, whatever an earlier one changed.
#include <gtest/gtest.h>

#include <cstdlib>
#include <optional>
#include <string>

#include "tests/support/PlatformFixture.h"

namespace {

std::optional<std::string> Variable(const char* name) {
    const char* value = std::getenv(name);
    return value ? std::optional<std::string>(value) : std::nullopt;
}

struct MovingTest : PlatformTest {
    void TestBody() override {}
    void Run() {
        SetUp();
        setenv("HOME", "/elsewhere", 1);
        setenv("XDG_CONFIG_HOME", "/elsewhere/config", 1);
        TearDown();
    }
};

TEST(EnvironmentTest, AFixtureTestPutsHomeAndConfigHomeBack) {
    const auto home = Variable("HOME"), config = Variable("XDG_CONFIG_HOME");
    MovingTest().Run();
    EXPECT_EQ(Variable("HOME"), home);
    EXPECT_EQ(Variable("XDG_CONFIG_HOME"), config);
}

}  // namespace
