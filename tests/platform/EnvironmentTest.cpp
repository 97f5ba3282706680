// A test that moves HOME or XDG_CONFIG_HOME leaves them as it found them for the next one.
#include <gtest/gtest.h>

#include <cstdlib>

#include "tests/support/PlatformFixture.h"

namespace {

std::string Variable(const char* name) { return std::getenv(name) ? std::getenv(name) : "(unset)"; }

struct MovingTest : PlatformTest {
    void TestBody() override {}
    using PlatformTest::SetUp, PlatformTest::TearDown;
};

TEST(EnvironmentTest, AFixtureTestPutsHomeAndConfigHomeBack) {
    const std::string home = Variable("HOME"), config = Variable("XDG_CONFIG_HOME");
    MovingTest moving;
    moving.SetUp();
    setenv("HOME", "/elsewhere", 1);
    setenv("XDG_CONFIG_HOME", "/elsewhere/config", 1);
    moving.TearDown();
    EXPECT_EQ(Variable("HOME"), home);
    EXPECT_EQ(Variable("XDG_CONFIG_HOME"), config);
}

}  // namespace
