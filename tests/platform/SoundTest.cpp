// The two sounds and PlaySoundW: what reaches the backend, and WAVE data it refuses.
#include "platform/Sound.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <numeric>
#include <vector>

#include "platform/Resources.h"
#include "res/Resources.h"
#include "tests/support/PlatformFixture.h"

namespace {

class SoundTest : public PlatformTest {
protected:
    void SetUp() override { PlatformTest::SetUp(); game = platform::RegisterModule(TintaroResources()); }
    HINSTANCE game = nullptr;
};

// Both sounds reach the backend whole, at their rates; their samples (after the 44-byte header)
// do not clip, centre on silence and start and end at rest.
TEST_F(SoundTest, TheSoundsPlayWholeAtTheirRatesStartingAndEndingAtRest) {
    const struct { LPCWSTR name; int rate; size_t samples; } sounds[] = {{L"IDR_WAV_Move", 11025, 1480}, {L"IDR_WAV_Level", 22050, 13941}};
    for (const auto& e : sounds) {
        ASSERT_TRUE(PlaySoundW(e.name, game, 0x42005));
        const auto& p = backend.PlayedSounds().back();
        EXPECT_TRUE(p.name == e.name && p.flags == 0x42005u && p.sampleRate == e.rate && p.bytes == e.samples);
        HRSRC found = FindResourceW(game, e.name, RT_WAVE);
        ASSERT_EQ(SizeofResource(game, found), 44 + e.samples + (e.samples & 1));
        const uint8_t *first = static_cast<const uint8_t*>(LockResource(LoadResource(game, found))) + 44, *last = first + e.samples;
        EXPECT_TRUE(*std::min_element(first, last) > 8 && *std::max_element(first, last) < 247);
        EXPECT_NEAR(std::accumulate(first, last, 0.0) / e.samples, 128, 0.5);
        EXPECT_TRUE(*first == 128 && *(last - 1) == 128);
    }
    EXPECT_TRUE(PlaySoundW(L"idr_wav_level", game, SND_RESOURCE | SND_ASYNC));
    EXPECT_FALSE(PlaySoundW(L"IDR_WAV_Missing", game, 0x42005) || PlaySoundW(nullptr, game, 0x42005) ||
                 PlaySoundW(L"IDR_WAV_Move", nullptr, 0x42005));
    EXPECT_FALSE(PlaySoundW(L"IDR_WAV_Move", game, SND_ASYNC)) << "only resources are played";
    EXPECT_EQ(backend.PlayedSounds().size(), 3u);
}

// A WAVE file of chunks (tag and declared size, then body); riffCut shortens the RIFF size.
std::vector<uint8_t> Wave(std::vector<std::pair<std::string, std::vector<uint8_t>>> chunks, int riffCut = 0) {
    std::vector<uint8_t> out{'R', 'I', 'F', 'F', 0, 0, 0, 0, 'W', 'A', 'V', 'E'};
    for (auto& [head, body] : chunks) {
        out.insert(out.end(), head.begin(), head.end());
        out.insert(out.end(), body.begin(), body.end());
    }
    out[4] = static_cast<uint8_t>(out.size() - 8 - riffCut);
    return out;
}
const std::string kFmt{"fmt \x10\0\0\0", 8}, kData{"data\3\0\0\0", 8};
const std::vector<uint8_t> kMono8At11025{1, 0, 1, 0, 0x11, 0x2B, 0, 0, 0x11, 0x2B, 0, 0, 1, 0, 8, 0}, kThree{1, 2, 3, 0};

TEST_F(SoundTest, WaveFilesAreReadChunkByChunkAndDamagedOnesRefused) {
    auto with = [](std::vector<uint8_t> format, size_t at, uint8_t value) { return format[at] = value, format; };
    const struct { const char* what; std::vector<uint8_t> file; bool plays; } cases[] = {
        {"plain", Wave({{kFmt, kMono8At11025}, {kData, kThree}}), true},
        {"an odd-sized chunk between", Wave({{kFmt, kMono8At11025}, {{"LIST\1\0\0\0", 8}, {9, 0}}, {kData, kThree}}), true},
        {"no pad byte after the last chunk", Wave({{kFmt, kMono8At11025}, {kData, {1, 2, 3}}}), true},
        {"data before fmt", Wave({{kData, kThree}, {kFmt, kMono8At11025}}), true},
        {"data beyond the file", Wave({{kFmt, kMono8At11025}, {{"data\x90\0\0\0", 8}, kThree}}), false},
        {"data beyond the RIFF size", Wave({{kFmt, kMono8At11025}, {kData, kThree}}, 4), false},
        {"no fmt", Wave({{kData, kThree}}), false},
        {"stereo", Wave({{kFmt, with(kMono8At11025, 2, 2)}, {kData, kThree}}), false},
        {"16 bits", Wave({{kFmt, with(kMono8At11025, 14, 16)}, {kData, kThree}}), false},
        {"rate 3 Hz", Wave({{kFmt, with(with(kMono8At11025, 4, 3), 5, 0)}, {kData, kThree}}), false},
        {"not RIFF", with(Wave({{kFmt, kMono8At11025}, {kData, kThree}}), 3, 'X'), false},
    };
    for (const auto& c : cases) {
        const platform::WaveResource wave{L"W", c.file};
        HINSTANCE module = platform::RegisterModule(platform::ModuleResources{{}, {}, {}, {}, {&wave, 1}});
        EXPECT_EQ(PlaySoundW(L"W", module, 0x42005), c.plays ? TRUE : FALSE) << c.what;
    }
}

}  // namespace
