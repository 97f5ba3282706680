// The SDL sound player on SDL's file-writing audio driver: what reaches the device, at what rate,
// and that the device closes once the sound has played out; silence where there is no device.
#include "platform/sdl/SdlSound.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <future>
#include <iterator>
#include <vector>

namespace {

using platform::sdl::SdlSound;

constexpr uint8_t kSamples[] = {0, 100, 200, 50};

TEST(SdlSoundTest, SoundsReachTheDeviceAtItsRateAndTheDeviceClosesWhenTheyHavePlayedOut) {
    const std::string file = std::filesystem::temp_directory_path() / ("tintaro-audio-" + std::to_string(getpid()));
    setenv("SDL_AUDIODRIVER", "disk", 1);
    setenv("SDL_DISKAUDIOFILE", file.c_str(), 1);
    setenv("SDL_DISKAUDIODELAY", "0", 1);
    std::promise<void> playedOut;
    {
        SdlSound sound([&] { playedOut.set_value(); });
        EXPECT_FALSE(sound.DeviceOpen()) << "nothing is opened before the first sound";
        sound.Play(platform::PcmSound{L"test", 0, 11025, kSamples});
        EXPECT_TRUE(sound.DeviceOpen());
        ASSERT_EQ(playedOut.get_future().wait_for(std::chrono::seconds(20)), std::future_status::ready);
        sound.CloseIfPlayedOut();
        EXPECT_FALSE(sound.DeviceOpen());
    }
    std::ifstream in(file, std::ios::binary);
    std::vector<uint8_t> written((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    std::filesystem::remove(file);
    for (const char* name : {"SDL_AUDIODRIVER", "SDL_DISKAUDIOFILE", "SDL_DISKAUDIODELAY"}) unsetenv(name);
    // Silence until the sound starts, then twice the samples (new ones half-way between), then silence.
    const std::vector<uint8_t> expected{0, 50, 100, 150, 200, 125, 50, 50, 128, 128};
    auto start = std::find_if(written.begin(), written.end(), [](uint8_t b) { return b != 128; });
    ASSERT_GE(written.end() - start, static_cast<ptrdiff_t>(expected.size()));
    EXPECT_EQ(std::vector<uint8_t>(start, start + 10), expected);
}

TEST(SdlSoundTest, WithoutASoundDeviceNothingPlaysAndNothingFails) {
    setenv("SDL_AUDIODRIVER", "no-such-driver", 1);
    SdlSound sound([] { FAIL() << "nothing can play"; });
    for (int rate : {11025, 22050}) sound.Play(platform::PcmSound{L"test", 0, rate, kSamples});
    EXPECT_FALSE(sound.DeviceOpen());
    sound.CloseIfPlayedOut();
    unsetenv("SDL_AUDIODRIVER");
}

}  // namespace
