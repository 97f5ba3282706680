// sound-generator MOVE.wav LEVEL.wav: synthesises the game's two sounds as 8-bit unsigned mono PCM
// WAVE files: a short soft click for a move and a brief rising chime for a finished level.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <numbers>
#include <vector>

namespace {

constexpr double kTwoPi = 2 * std::numbers::pi;

// The sizes the program's sounds have always had: 1480 samples at 11025 Hz (about 134 ms) and
// 13941 samples at 22050 Hz (about 632 ms).
constexpr int kMoveRate = 11025, kMoveSamples = 1480;
constexpr int kLevelRate = 22050, kLevelSamples = 13941;

// A raised-cosine ramp from 0 to 1 over length seconds: no step, so no click.
double Ramp(double t, double length) {
    if (t <= 0) return 0;
    if (t >= length) return 1;
    return 0.5 - 0.5 * std::cos(std::numbers::pi * t / length);
}

// Fades the last length seconds to silence so the sound ends exactly at rest.
void FadeOut(std::vector<double>& s, int rate, double length) {
    const double end = static_cast<double>(s.size()) / rate;
    for (size_t i = 0; i < s.size(); ++i) s[i] *= Ramp(end - static_cast<double>(i) / rate, length);
}

// A wooden tick: a low partial gliding down a little, and an inharmonic upper one that dies first.
std::vector<double> Click() {
    std::vector<double> s(kMoveSamples);
    double phase = 0;
    for (int i = 0; i < kMoveSamples; ++i) {
        double t = static_cast<double>(i) / kMoveRate;
        double frequency = 660 + 220 * std::exp(-t / 0.015);
        phase += kTwoPi * frequency / kMoveRate;
        double body = std::sin(phase) * std::exp(-t / 0.026);
        double knock = 0.3 * std::sin(2.76 * phase) * std::exp(-t / 0.008);
        s[static_cast<size_t>(i)] = 0.42 * Ramp(t, 0.003) * (body + knock);
    }
    FadeOut(s, kMoveRate, 0.03);
    return s;
}

// One struck bell note starting at onset: a fundamental and a few partials that decay faster.
void AddBell(std::vector<double>& s, int rate, double onset, double frequency, double decay, double gain) {
    struct Partial {
        double ratio, amplitude, decayShare;
    };
    constexpr Partial kPartials[] = {{1.0, 1.0, 1.0}, {2.0, 0.32, 0.55}, {3.0, 0.1, 0.35}, {4.16, 0.05, 0.25}};
    for (size_t i = static_cast<size_t>(onset * rate); i < s.size(); ++i) {
        double t = static_cast<double>(i) / rate - onset;
        double v = 0;
        for (const Partial& p : kPartials)
            v += p.amplitude * std::sin(kTwoPi * frequency * p.ratio * t) * std::exp(-t / (decay * p.decayShare));
        s[i] += gain * Ramp(t, 0.004) * v;
    }
}

// A major arpeggio going up, the top note left to ring.
std::vector<double> Chime() {
    std::vector<double> s(kLevelSamples);
    constexpr double kNotes[] = {1046.50, 1318.51, 1567.98, 2093.00};  // C6 E6 G6 C7
    for (int n = 0; n < 4; ++n) AddBell(s, kLevelRate, 0.075 * n, kNotes[n], n == 3 ? 0.2 : 0.12, n == 3 ? 0.9 : 0.75);
    double peak = 0;
    for (double v : s) peak = std::max(peak, std::fabs(v));
    for (double& v : s) v *= 0.6 / peak;
    FadeOut(s, kLevelRate, 0.08);
    return s;
}

void Put16(std::vector<uint8_t>& out, uint32_t v) {
    out.push_back(static_cast<uint8_t>(v));
    out.push_back(static_cast<uint8_t>(v >> 8));
}
void Put32(std::vector<uint8_t>& out, uint32_t v) {
    Put16(out, v & 0xFFFF);
    Put16(out, v >> 16);
}
void PutTag(std::vector<uint8_t>& out, const char* tag) { out.insert(out.end(), tag, tag + 4); }

// RIFF/WAVE, PCM, one channel, 8 bits: silence is 128. A data chunk of odd length is followed
// by the pad byte RIFF asks for.
bool WriteWave(const char* path, int rate, const std::vector<double>& samples) {
    const uint32_t n = static_cast<uint32_t>(samples.size());
    std::vector<uint8_t> out;
    PutTag(out, "RIFF");
    Put32(out, 4 + (8 + 16) + (8 + n + (n & 1)));
    PutTag(out, "WAVE");
    PutTag(out, "fmt ");
    Put32(out, 16);
    Put16(out, 1);  // PCM
    Put16(out, 1);  // mono
    Put32(out, static_cast<uint32_t>(rate));
    Put32(out, static_cast<uint32_t>(rate));  // bytes per second
    Put16(out, 1);                            // block align
    Put16(out, 8);                            // bits per sample
    PutTag(out, "data");
    Put32(out, n);
    for (double v : samples) out.push_back(static_cast<uint8_t>(std::lround(128 + 127 * std::clamp(v, -1.0, 1.0))));
    if (n & 1) out.push_back(0);
    FILE* file = std::fopen(path, "wb");
    if (!file) return false;
    bool ok = std::fwrite(out.data(), 1, out.size(), file) == out.size();
    return std::fclose(file) == 0 && ok;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: %s MOVE.wav LEVEL.wav\n", argv[0]);
        return 2;
    }
    if (!WriteWave(argv[1], kMoveRate, Click()) || !WriteWave(argv[2], kLevelRate, Chime())) {
        std::remove(argv[1]);
        std::remove(argv[2]);
        std::fprintf(stderr, "%s: cannot write the sounds\n", argv[0]);
        return 1;
    }
    return 0;
}
