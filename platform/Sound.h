// Playing the program's sounds, under the platform's names.
#pragma once

#include "platform/Types.h"

constexpr DWORD SND_SYNC = 0x00000000;
constexpr DWORD SND_ASYNC = 0x00000001;
constexpr DWORD SND_NODEFAULT = 0x00000002;
constexpr DWORD SND_NOWAIT = 0x00002000;
constexpr DWORD SND_RESOURCE = 0x00040004;

// Starts the WAVE resource name (any case) of module and returns at once, without waiting for the
// sound even without SND_ASYNC. A new sound replaces the one playing. Only resources are played
// (SND_RESOURCE): uncompressed PCM, one channel, 8 bits a sample, 8000 to 48000 samples a second.
// TRUE when the sound was handed to the backend (which stays silent where there is no sound
// device); FALSE for a NULL name, a missing resource or one that is not such a WAVE file.
BOOL PlaySoundW(LPCWSTR name, HMODULE module, DWORD flags);
