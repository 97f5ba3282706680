// The program's command line: what it accepts, what it refuses, and which option wins.
#include <gtest/gtest.h>

#include <vector>

#include "game/ProgramOptions.h"

namespace {

ProgramOptions Parse(std::vector<const char*> args) { return ParseProgramOptions(args); }

TEST(ProgramOptionsTest, ScreenAndZoomInBothSpellingsAndTheLastOfARepeatedOptionCounts) {
    ProgramOptions none = Parse({});
    EXPECT_EQ(none.action, ProgramOptions::Action::Run);
    EXPECT_FALSE(none.screen.has_value());
    EXPECT_EQ(none.zoom, 0) << "the fitting zoom";
    for (auto args : {std::vector<const char*>{"--screen", "176x220", "--zoom", "3"},
                      std::vector<const char*>{"--screen=176X220", "--zoom=3"}}) {
        ProgramOptions o = Parse(args);
        ASSERT_EQ(o.action, ProgramOptions::Action::Run) << o.error;
        ASSERT_TRUE(o.screen.has_value());
        EXPECT_EQ(o.screen->height, 220);
        EXPECT_EQ(o.zoom, 3);
    }
    ProgramOptions o = Parse({"--zoom", "2", "--screen", "480x640", "--zoom", "1"});
    EXPECT_EQ(o.zoom, 1);
    EXPECT_EQ(o.screen->icon, 64);
}

TEST(ProgramOptionsTest, BadValuesAreErrorsThatNameTheProblem) {
    struct Case {
        std::vector<const char*> args;
        const char* mentions;
    } cases[] = {
        {{"--screen", "100x100"}, "100x100"}, {{"--screen", "240"}, "240"},     {{"--zoom", "0"}, "1 to 16"},
        {{"--zoom", "17"}, "1 to 16"},        {{"--zoom", "2x"}, "1 to 16"},    {{"--zoom=-1"}, "1 to 16"},
        {{"--zoom"}, "needs a value"},        {{"--zoom="}, "1 to 16"},         {{"--fullscreen"}, "--fullscreen"},
        {{"240x320"}, "240x320"},
    };
    for (const Case& c : cases) {
        ProgramOptions o = Parse(c.args);
        EXPECT_EQ(o.action, ProgramOptions::Action::Error) << c.args[0];
        EXPECT_NE(o.error.find(c.mentions), std::string::npos) << o.error;
    }
}

TEST(ProgramOptionsTest, HelpAndVersionWinOverWhatFollowsButNotOverAnEarlierError) {
    EXPECT_EQ(Parse({"--zoom", "2", "--help", "--bogus"}).action, ProgramOptions::Action::Help);
    EXPECT_EQ(Parse({"-h"}).action, ProgramOptions::Action::Help);
    EXPECT_EQ(Parse({"--version", "--zoom", "99"}).action, ProgramOptions::Action::Version);
    EXPECT_EQ(Parse({"--zoom", "99", "--help"}).action, ProgramOptions::Action::Error);
}

}  // namespace
