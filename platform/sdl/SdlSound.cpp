// SDL audio through a callback. Opening a device (and, the first time, starting SDL audio) and
// closing one both wait on the sound system, so a short-lived worker thread does them while the
// UI thread goes on; the UI thread waits for that worker before it touches the device again. The
// callback copies the current sound out and, after two buffers of silence past its end, asks the
// UI thread to close the device.
#include "platform/sdl/SdlSound.h"

#include <SDL.h>

#include <algorithm>
#include <chrono>
#include <cstring>
#include <utility>
#include <vector>

namespace platform::sdl {
namespace {

// About 12 ms a buffer: a sound starts soon after it is asked for, and closing is quick.
constexpr Uint16 kBufferSamples = 256;
// The device stays open for about a second of silence after a sound: closing it waits on the
// sound system, and a move made meanwhile would wait for that before its sound could start.
constexpr int kSilentBuffersBeforeDone = SdlSound::kDeviceRate / kBufferSamples;
// After a device failed to open, sounds are skipped for a while rather than tried on every move.
constexpr auto kRetryOpenAfter = std::chrono::seconds(10);

// Linear interpolation from the sound's rate to the device rate (the same samples when they agree).
std::vector<Uint8> ToDeviceRate(const PcmSound& sound) {
    const auto& in = sound.samples;
    if (in.empty() || sound.sampleRate <= 0) return {};
    if (sound.sampleRate == SdlSound::kDeviceRate) return std::vector<Uint8>(in.begin(), in.end());
    const double step = static_cast<double>(sound.sampleRate) / SdlSound::kDeviceRate;
    const size_t count = static_cast<size_t>(in.size() / step);
    std::vector<Uint8> out(count);
    for (size_t i = 0; i < count; ++i) {
        double at = i * step;
        size_t j = static_cast<size_t>(at);
        double f = at - j;
        double next = j + 1 < in.size() ? in[j + 1] : in[j];
        out[i] = static_cast<Uint8>(in[j] + (next - in[j]) * f + 0.5);
    }
    return out;
}

int CloseDevice(void* device) {
    SDL_CloseAudioDevice(static_cast<SDL_AudioDeviceID>(reinterpret_cast<uintptr_t>(device)));
    return 0;
}

}  // namespace

struct SdlSound::Impl {
    std::function<void()> playedOut;
    SDL_Thread* worker = nullptr;
    // The worker's while it runs, the UI thread's otherwise.
    bool audioStarted = false;
    bool audioFailed = false;
    SDL_AudioDeviceID device = 0;
    Uint8 silence = 128;
    std::chrono::steady_clock::time_point retryOpenAt{};
    std::vector<Uint8> starting;  // the sound a device being opened starts with
    // Shared with the audio thread, under the device's lock.
    std::vector<Uint8> samples;
    size_t position = 0;
    int silentBuffers = 0;
    bool doneSent = false;

    static void Fill(void* self, Uint8* stream, int length);
    static int Start(void* self);
    void Put(std::vector<Uint8>& sound);
    void Join();
    void Run(SDL_ThreadFunction work, const char* name, void* data);
};

void SdlSound::Impl::Fill(void* self, Uint8* stream, int length) {
    auto& s = *static_cast<Impl*>(self);
    size_t n = std::min(static_cast<size_t>(length), s.samples.size() - s.position);
    if (n) std::memcpy(stream, s.samples.data() + s.position, n);
    s.position += n;
    std::memset(stream + n, s.silence, static_cast<size_t>(length) - n);
    if (n == 0 && ++s.silentBuffers >= kSilentBuffersBeforeDone && !s.doneSent) {
        s.doneSent = true;
        s.playedOut();
    }
}

// Starts SDL audio the first time (once: where it fails the program stays silent), opens the
// device and starts the waiting sound on it.
int SdlSound::Impl::Start(void* self) {
    auto& s = *static_cast<Impl*>(self);
    if (!s.audioStarted) {
        s.audioStarted = SDL_InitSubSystem(SDL_INIT_AUDIO) == 0;
        s.audioFailed = !s.audioStarted;
        if (s.audioFailed) return 0;
    }
    SDL_AudioSpec want{}, have{};
    want.freq = kDeviceRate;
    want.format = AUDIO_U8;
    want.channels = 1;
    want.samples = kBufferSamples;
    want.callback = Fill;
    want.userdata = &s;
    // No changes allowed: SDL converts to whatever the hardware takes.
    s.device = SDL_OpenAudioDevice(nullptr, 0, &want, &have, 0);
    if (!s.device) {
        s.retryOpenAt = std::chrono::steady_clock::now() + kRetryOpenAfter;
        return 0;
    }
    s.silence = have.silence;
    s.Put(s.starting);
    SDL_PauseAudioDevice(s.device, 0);
    return 0;
}

// Replaces what the device plays; the old samples are freed outside the lock, by the caller.
void SdlSound::Impl::Put(std::vector<Uint8>& sound) {
    SDL_LockAudioDevice(device);
    samples.swap(sound);
    position = 0;
    silentBuffers = 0;
    doneSent = false;
    SDL_UnlockAudioDevice(device);
}

void SdlSound::Impl::Join() {
    if (worker) SDL_WaitThread(worker, nullptr);
    worker = nullptr;
}

// Without a thread the work is done here and now.
void SdlSound::Impl::Run(SDL_ThreadFunction work, const char* name, void* data) {
    worker = SDL_CreateThread(work, name, data);
    if (!worker) work(data);
}

SdlSound::SdlSound(std::function<void()> playedOut) : impl_(std::make_unique<Impl>()) {
    impl_->playedOut = std::move(playedOut);
}

SdlSound::~SdlSound() {
    impl_->Join();
    if (impl_->device) SDL_CloseAudioDevice(impl_->device);
    if (impl_->audioStarted) SDL_QuitSubSystem(SDL_INIT_AUDIO);
}

void SdlSound::Play(const PcmSound& sound) {
    Impl& s = *impl_;
    std::vector<Uint8> samples = ToDeviceRate(sound);
    if (samples.empty()) return;
    s.Join();
    if (s.device) {
        s.Put(samples);
        return;
    }
    if (s.audioFailed || std::chrono::steady_clock::now() < s.retryOpenAt) return;
    s.starting = std::move(samples);
    s.Run(Impl::Start, "tintaro-audio-open", &s);
}

void SdlSound::CloseIfPlayedOut() {
    Impl& s = *impl_;
    s.Join();
    if (!s.device) return;
    SDL_LockAudioDevice(s.device);
    bool done = s.doneSent;
    SDL_UnlockAudioDevice(s.device);
    if (!done) return;
    void* device = reinterpret_cast<void*>(uintptr_t{s.device});
    s.device = 0;
    s.Run(CloseDevice, "tintaro-audio-close", device);
}

bool SdlSound::DeviceOpen() {
    impl_->Join();
    return impl_->device != 0;
}

}  // namespace platform::sdl
