// PlaySoundW: the WAVE resource is read chunk by chunk, every size checked against what is left,
// and its samples are handed to the backend.
#include "platform/Sound.h"

#include <algorithm>
#include <cstring>
#include <span>

#include "platform/Backend.h"
#include "platform/Resources.h"

namespace platform {
namespace {

uint32_t Read16(const BYTE* p) { return p[0] | (p[1] << 8); }
uint32_t Read32(const BYTE* p) { return Read16(p) | (Read16(p + 2) << 16); }
bool Tag(const BYTE* p, const char* tag) { return std::memcmp(p, tag, 4) == 0; }

// RIFF "WAVE" with a "fmt " chunk (PCM, mono, 8 bits) and a "data" chunk, in any order and with
// other chunks between them. Chunks of odd size are followed by a pad byte, which the last chunk
// may lack.
bool ParseWave(std::span<const BYTE> file, int* rate, std::span<const uint8_t>* samples) {
    if (file.size() < 12 || !Tag(file.data(), "RIFF") || !Tag(file.data() + 8, "WAVE")) return false;
    size_t end = std::min<size_t>(file.size(), size_t{8} + Read32(file.data() + 4));
    bool haveFormat = false, haveData = false;
    for (size_t at = 12; at + 8 <= end;) {
        const BYTE* chunk = file.data() + at;
        size_t size = Read32(chunk + 4);
        if (size > end - at - 8) return false;
        const BYTE* body = chunk + 8;
        if (Tag(chunk, "fmt ")) {
            if (size < 16) return false;
            *rate = static_cast<int>(Read32(body + 4));
            // PCM, one channel, one byte a block, 8 bits a sample.
            haveFormat = Read16(body) == 1 && Read16(body + 2) == 1 && Read16(body + 12) == 1 &&
                         Read16(body + 14) == 8 && *rate >= 8000 && *rate <= 48000;
            if (!haveFormat) return false;
        } else if (Tag(chunk, "data")) {
            *samples = std::span<const uint8_t>(body, size);
            haveData = true;
        }
        at += 8 + size + (size & 1);
    }
    return haveFormat && haveData && !samples->empty();
}

}  // namespace
}  // namespace platform

BOOL PlaySoundW(LPCWSTR name, HMODULE module, DWORD flags) {
    if (!name || (flags & SND_RESOURCE) != SND_RESOURCE) return FALSE;
    HRSRC found = FindResourceW(module, name, RT_WAVE);
    if (!found) return FALSE;
    const auto* bytes = static_cast<const BYTE*>(LockResource(LoadResource(module, found)));
    platform::PcmSound sound;
    if (!bytes || !platform::ParseWave({bytes, SizeofResource(module, found)}, &sound.sampleRate, &sound.samples))
        return FALSE;
    sound.name = name;
    sound.flags = flags;
    platform::CurrentBackend().PlayPcm(sound);
    return TRUE;
}
