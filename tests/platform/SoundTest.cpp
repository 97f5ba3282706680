// The two sounds as files, and PlaySoundW: what reaches the backend, and WAVE data it refuses.
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
    void SetUp() override {
        PlatformTest::SetUp();
        game = platform::RegisterModule(TintaroResources());
    }
    std::vector<uint8_t> Bytes(LPCWSTR name) {
        HRSRC found = FindResourceW(game, name, RT_WAVE);
        if (!found) return {};
        const auto* data = static_cast<const uint8_t*>(LockResource(LoadResource(game, found)));
        return std::vector<uint8_t>(data, data + SizeofResource(game, found));
    }
    HINSTANCE game = nullptr;
};

uint32_t Le(const std::vector<uint8_t>& b, size_t at, int bytes) {
    uint32_t v = 0;
    for (int i = bytes - 1; i >= 0; --i) v = v << 8 | b[at + i];
    return v;
}

TEST_F(SoundTest, TheSoundsAreEightBitMonoPcmOfTheirExactSizesStartingAndEndingAtRest) {
    struct Expected {
        LPCWSTR name;
        uint32_t rate, samples;
    };
    for (const Expected& e : {Expected{L"IDR_WAV_Move", 11025, 1480}, Expected{L"IDR_WAV_Level", 22050, 13941}}) {
        std::vector<uint8_t> w = Bytes(e.name);
        ASSERT_EQ(w.size(), 44 + e.samples + (e.samples & 1)) << "the canonical header, the samples, a pad byte";
        EXPECT_TRUE(std::equal(w.begin(), w.begin() + 4, "RIFF") && std::equal(w.begin() + 8, w.begin() + 16, "WAVEfmt "));
        EXPECT_EQ(Le(w, 4, 4), w.size() - 8);
        EXPECT_EQ(Le(w, 20, 2), 1u) << "PCM";
        EXPECT_EQ(Le(w, 22, 2), 1u) << "mono";
        EXPECT_EQ(Le(w, 24, 4), e.rate);
        EXPECT_EQ(Le(w, 34, 2), 8u);
        EXPECT_EQ(Le(w, 40, 4), e.samples);
        // Pleasant at normal volume: no clipping, centred on silence, no step at either end.
        const auto first = w.begin() + 44, last = first + e.samples;
        EXPECT_GT(*std::min_element(first, last), 8);
        EXPECT_LT(*std::max_element(first, last), 247);
        const double mean = std::accumulate(first, last, 0.0) / e.samples;
        EXPECT_NEAR(mean, 128, 0.5);
        EXPECT_EQ(*first, 128);
        EXPECT_EQ(*(last - 1), 128);
    }
}

TEST_F(SoundTest, PlaySoundWHandsTheNamedSoundToTheBackend) {
    EXPECT_TRUE(PlaySoundW(L"IDR_WAV_Move", game, 0x42005));
    EXPECT_TRUE(PlaySoundW(L"idr_wav_level", game, SND_RESOURCE | SND_ASYNC));
    const auto& played = backend.PlayedSounds();
    ASSERT_EQ(played.size(), 2u);
    EXPECT_EQ(played[0].name, L"IDR_WAV_Move");
    EXPECT_EQ(played[0].flags, 0x42005u);
    EXPECT_EQ(played[0].sampleRate, 11025);
    EXPECT_EQ(played[0].bytes, 1480u);
    EXPECT_EQ(played[1].sampleRate, 22050);
    EXPECT_EQ(played[1].bytes, 13941u);

    EXPECT_FALSE(PlaySoundW(L"IDR_WAV_Missing", game, 0x42005));
    EXPECT_FALSE(PlaySoundW(nullptr, game, 0x42005));
    EXPECT_FALSE(PlaySoundW(L"IDR_WAV_Move", nullptr, 0x42005));
    EXPECT_FALSE(PlaySoundW(L"IDR_WAV_Move", game, SND_ASYNC)) << "only resources are played";
    EXPECT_EQ(played.size(), 2u);
}

// A WAVE file from chunks: tag, declared size, body.
struct Chunk {
    const char* tag;
    uint32_t size;
    std::vector<uint8_t> body;
};
std::vector<uint8_t> Wave(const std::vector<Chunk>& chunks, int riffSlack = 0) {
    std::vector<uint8_t> out{'R', 'I', 'F', 'F', 0, 0, 0, 0, 'W', 'A', 'V', 'E'};
    for (const Chunk& c : chunks) {
        out.insert(out.end(), c.tag, c.tag + 4);
        for (int i = 0; i < 4; ++i) out.push_back(static_cast<uint8_t>(c.size >> (8 * i)));
        out.insert(out.end(), c.body.begin(), c.body.end());
    }
    uint32_t riff = static_cast<uint32_t>(out.size() - 8 + riffSlack);
    for (int i = 0; i < 4; ++i) out[4 + i] = static_cast<uint8_t>(riff >> (8 * i));
    return out;
}
// PCM at rate, channels and bits.
Chunk Format(uint32_t rate, uint8_t channels = 1, uint8_t bits = 8) {
    uint8_t align = static_cast<uint8_t>(channels * bits / 8);
    return {"fmt ", 16, {1, 0, channels, 0, static_cast<uint8_t>(rate), static_cast<uint8_t>(rate >> 8), 0, 0,
                         0, 0, 0, 0, align, 0, bits, 0}};
}

TEST_F(SoundTest, WaveFilesAreReadChunkByChunkAndDamagedOnesRefused) {
    const Chunk data{"data", 3, {1, 2, 3, 0}};
    struct Case {
        const char* what;
        std::vector<uint8_t> file;
        bool plays;
    };
    const Case cases[] = {
        {"plain", Wave({Format(11025), data}), true},
        {"a list chunk of odd size between", Wave({Format(8000), {"LIST", 3, {9, 9, 9, 0}}, data}), true},
        {"data before fmt", Wave({data, Format(22050)}), true},
        {"no pad byte after the last chunk", Wave({Format(11025), {"data", 3, {1, 2, 3}}}), true},
        {"data longer than the file", Wave({Format(11025), {"data", 400, {1, 2, 3, 4}}}), false},
        {"data longer than the RIFF says", Wave({Format(11025), data}, -4), false},
        {"no fmt", Wave({data}), false},
        {"no data", Wave({Format(11025)}), false},
        {"empty data", Wave({Format(11025), {"data", 0, {}}}), false},
        {"16-bit", Wave({Format(11025, 1, 16), data}), false},
        {"stereo", Wave({Format(11025, 2, 8), data}), false},
        {"rate 0", Wave({Format(0), data}), false},
        {"short fmt", Wave({{"fmt ", 8, {1, 0, 1, 0, 0x11, 0x2B, 0, 0}}, data}), false},
        {"header only", {'R', 'I', 'F', 'F', 4, 0, 0, 0, 'W', 'A', 'V', 'E'}, false},
        {"not RIFF", {'R', 'I', 'F', 'X', 4, 0, 0, 0, 'W', 'A', 'V', 'E'}, false},
    };
    for (const Case& c : cases) {
        const platform::WaveResource wave{L"W", c.file};
        HINSTANCE module = platform::RegisterModule(platform::ModuleResources{{}, {}, {}, {}, {&wave, 1}});
        size_t before = backend.PlayedSounds().size();
        EXPECT_EQ(PlaySoundW(L"W", module, 0x42005), c.plays ? TRUE : FALSE) << c.what;
        EXPECT_EQ(backend.PlayedSounds().size(), before + (c.plays ? 1 : 0)) << c.what;
        if (c.plays) {
            EXPECT_EQ(backend.PlayedSounds().back().bytes, 3u) << c.what;
        }
    }
}

}  // namespace
