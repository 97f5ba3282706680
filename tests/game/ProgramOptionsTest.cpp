// The program's command line: what it accepts, what it refuses, and which option wins.
#include <gtest/gtest.h>

#include <tuple>
#include <vector>

#include "game/ProgramOptions.h"

namespace {

using Action = ProgramOptions::Action;

// The screen as its height and icon, 0 and 0 when none was given.
TEST(ProgramOptionsTest, BothSpellingsTheLastOfARepeatedOptionAndTheFirstHelpOrVersionCount) {
    const struct { std::vector<const char*> args; Action action; int height, icon, zoom; } cases[] = {
        {{}, Action::Run, 0, 0, 0},  // the default phone, the fitting zoom
        {{"--screen", "176x220", "--zoom", "3"}, Action::Run, 220, 32, 3},
        {{"--screen=176X220", "--zoom=3"}, Action::Run, 220, 32, 3},
        {{"--zoom", "2", "--screen", "480x640", "--zoom", "1"}, Action::Run, 640, 64, 1},
        {{"--zoom", "2", "--help", "--bogus"}, Action::Help, 0, 0, 2},
        {{"-h"}, Action::Help, 0, 0, 0},
        {{"--version", "--zoom", "99"}, Action::Version, 0, 0, 0},
        {{"--zoom", "99", "--help"}, Action::Error, 0, 0, 0},
    };
    for (const auto& c : cases) {
        const ProgramOptions o = ParseProgramOptions(c.args);
        EXPECT_EQ(std::tuple(o.action, o.screen ? o.screen->height : 0, o.screen ? o.screen->icon : 0, o.zoom),
                  std::tuple(c.action, c.height, c.icon, c.zoom)) << c.args.size() << o.error;
    }
}

TEST(ProgramOptionsTest, BadValuesAreErrorsThatNameTheProblem) {
    const std::pair<std::vector<const char*>, const char*> cases[] = {
        {{"--screen", "100x100"}, "100x100"}, {{"--screen", "240"}, "240"},     {{"--zoom", "0"}, "1 to 16"},
        {{"--zoom", "17"}, "1 to 16"},        {{"--zoom", "2x"}, "1 to 16"},    {{"--zoom=-1"}, "1 to 16"},
        {{"--zoom"}, "needs a value"},        {{"--zoom="}, "1 to 16"},         {{"--fullscreen"}, "--fullscreen"},
        {{"240x320"}, "240x320"},
    };
    for (const auto& [args, mentions] : cases) {
        const ProgramOptions o = ParseProgramOptions(args);
        EXPECT_EQ(o.action, Action::Error) << args[0];
        EXPECT_NE(o.error.find(mentions), std::string::npos) << o.error;
    }
}

}  // namespace
