// Time per pixel of the graphics library's heavy operations, with memcpy of the same bytes as
// the yardstick; the ratios to it are printed after the run.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstring>
#include <map>
#include <string>
#include <vector>

#include "gfx/Blend.h"
#include "gfx/Gradient.h"
#include "gfx/Text.h"
#include "gfx/Transitions.h"
#include "platform/Device.h"

namespace {

constexpr int kWidth = 240, kHeight = 320;
constexpr char kReference[] = "Memcpy";

// Seconds per pixel, shown in nanoseconds by the reporter.
void CountPixels(benchmark::State& state, long pixelsPerIteration) {
    state.counters["per_px"] = benchmark::Counter(static_cast<double>(pixelsPerIteration) * state.iterations(),
                                                  benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}

void Section(CQorGDI& s, int w, int h, int depth) {
    if (!s.CreateSized(nullptr, w, h, FALSE, TRUE, FALSE, depth)) std::abort();
    RECT all{0, 0, w, h};
    s.GradientFillRect(&all, 0x402010, 0xF0C080, depth == 24);
}

void Memcpy(benchmark::State& state) {
    std::vector<uint8_t> from(kWidth * kHeight * 2, 0x5A), to(from.size());
    for (auto _ : state) {
        std::memcpy(to.data(), from.data(), from.size());
        benchmark::DoNotOptimize(to.data());
        benchmark::ClobberMemory();
    }
    CountPixels(state, kWidth * kHeight);
}

// A whole 240 × 320 picture of the given depth into a 16-bit one.
void BitBltTo16(benchmark::State& state, int fromDepth) {
    CQorGDI from, to;
    Section(from, kWidth, kHeight, fromDepth);
    Section(to, kWidth, kHeight, 16);
    for (auto _ : state) BitBlt(to.m_hDC, 0, 0, kWidth, kHeight, from.m_hDC, 0, 0, SRCCOPY);
    CountPixels(state, kWidth * kHeight);
}

void AlphaFillClientArea(benchmark::State& state) {
    const RECT area = platform::FullScreenArea();
    const int w = area.right - area.left, h = area.bottom - area.top;
    CQorGDI s;
    Section(s, w, h, 16);
    RECT rc{0, 0, w, h};
    for (auto _ : state) AlphaFillBits(s.m_pBits, s.m_bm, &rc, 0xFFFFFF, 127);
    CountPixels(state, static_cast<long>(w) * h);
}

void VerticalGradient24(benchmark::State& state) {
    CQorGDI s;
    Section(s, kWidth, kHeight, 24);
    RECT rc{0, 0, kWidth, kHeight};
    for (auto _ : state) GradientFillBits24(s.m_pBits, s.m_bm, s.m_hDC, &rc, 0x5A320D, 0xC08040);
    CountPixels(state, kWidth * kHeight);
}

void Dither565FullScreen(benchmark::State& state) {
    CQorGDI pristine, s;
    Section(pristine, kWidth, kHeight, 24);
    Section(s, kWidth, kHeight, 24);
    const size_t bytes = static_cast<size_t>(s.m_bm.bmWidthBytes) * kHeight;
    for (auto _ : state) {
        // Dithered pixels carry no error any more, so every round starts from the gradient again.
        state.PauseTiming();
        std::memcpy(s.m_pBits, pristine.m_pBits, bytes);
        state.ResumeTiming();
        s.Dither565();
    }
    CountPixels(state, kWidth * kHeight);
}

// A ten-character label in the game's counter font; the pixels are those of its text box.
void TextLabel(benchmark::State& state) {
    CQorGDI s;
    Section(s, kWidth, kHeight, 16);
    HFONT font = MakeFont(18, 700, TRUE, L"Tahoma", 0, 0, 0);
    const wchar_t label[] = L"Moves: 123";
    SIZE size{};
    HGDIOBJ old = SelectObject(s.m_hDC, font);
    GetTextExtentExPointW(s.m_hDC, label, 10, 0, nullptr, nullptr, &size);
    SelectObject(s.m_hDC, old);
    RECT box{10, 10, 10 + size.cx, 10 + size.cy};
    for (auto _ : state) DrawTextEllipsis(s.m_hDC, label, &box, DT_LEFT, font, 0xFFFFFF, TRANSPARENT);
    CountPixels(state, static_cast<long>(size.cx) * size.cy);
    DeleteObject(font);
}

// The tile sheet as loaded (a 24-bit picture) into five cells of the given size, as every board
// layout does; the pixels are the sheet's 520 × 104.
void TileSheetDownscale(benchmark::State& state) {
    const int cell = static_cast<int>(state.range(0));
    CQorGDI sheet, tiles;
    Section(sheet, 520, 104, 24);
    for (auto _ : state) sheet.ResampleTo(&tiles, 5 * cell, cell, FALSE, 0);
    CountPixels(state, 520 * 104);
}

// One cross-fade frame: the blend at a level and the block transfer of the frame to a screen-sized
// 16-bit surface (the transfer to the window itself depends on the backend).
void CrossFadeFrame(benchmark::State& state) {
    const int w = static_cast<int>(state.range(0)), h = static_cast<int>(state.range(1));
    CQorGDI from, to, frame, screen;
    Section(from, w, h, 16);
    Section(to, w, h, 16);
    Section(frame, w, h, 16);
    Section(screen, w, h, 16);
    int level = 0;
    for (auto _ : state) {
        ::CrossFadeFrame(&frame, &from, 0, 0, &to, 0, 0, level);
        BitBlt(screen.m_hDC, 0, 0, w, h, frame.m_hDC, 0, 0, SRCCOPY);
        level = (level + 1) % 33;
    }
    CountPixels(state, static_cast<long>(w) * h);
}

BENCHMARK(Memcpy);
BENCHMARK_CAPTURE(BitBltTo16, SameFormat, 16);
BENCHMARK_CAPTURE(BitBltTo16, From24, 24);
BENCHMARK(AlphaFillClientArea);
BENCHMARK(VerticalGradient24);
BENCHMARK(Dither565FullScreen);
BENCHMARK(TextLabel);
BENCHMARK(TileSheetDownscale)->Arg(20)->Arg(30)->Arg(80);
BENCHMARK(CrossFadeFrame)->Args({240, 268})->Args({480, 576});

// Prints as usual and keeps each benchmark's time per pixel for the closing table.
class RatioReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& run : runs) {
            auto it = run.counters.find("per_px");
            if (it != run.counters.end() && run.run_type == Run::RT_Iteration)
                perPixel_[run.benchmark_name()] = it->second.value;
        }
    }

    void PrintRatios() const {
        auto reference = perPixel_.find(kReference);
        if (reference == perPixel_.end() || reference->second <= 0) return;
        std::printf("\n%-28s %12s %10s\n", "per pixel", "ns", "x memcpy");
        for (const auto& [name, seconds] : perPixel_)
            std::printf("%-28s %12.3f %10.1f\n", name.c_str(), seconds * 1e9, seconds / reference->second);
    }

private:
    std::map<std::string, double> perPixel_;
};

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    reporter.PrintRatios();
    benchmark::Shutdown();
    return 0;
}
