// Time per presented frame of the real window (upload, scale, show), by zoom, for the software
// renderer on the window's framebuffer and for SDL's default OpenGL path. Needs a display
// (xvfb-run -a build/sdl-bench); the transitions present every frame, so this is their floor.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "platform/Device.h"
#include "platform/PixelRows.h"
#include "platform/sdl/SdlBackend.h"

namespace {

// One screen of a gradient that moves by a row each frame, so no frame repeats the last.
class Frames {
public:
    Frames() : pixels_(static_cast<size_t>(platform::RowPitch(kWidth, 16)) * kHeight) {}
    platform::PixelRows Next() {
        platform::PixelRows rows = platform::PixelRows::TopDown(pixels_.data(), kWidth, kHeight, 16);
        ++shift_;
        for (int y = 0; y < kHeight; ++y)
            for (int x = 0; x < kWidth; ++x) rows.Set16(x, y, static_cast<uint16_t>((x + y + shift_) * 97));
        return rows;
    }
    static constexpr int kWidth = 240, kHeight = 320;

private:
    std::vector<uint8_t> pixels_;
    int shift_ = 0;
};

void Present(benchmark::State& state, const char* renderDriver) {
    if (renderDriver)
        setenv("SDL_RENDER_DRIVER", renderDriver, 1);  // the environment outranks the backend's hints
    else
        unsetenv("SDL_RENDER_DRIVER");
    platform::sdl::WindowOptions options;
    options.title = "sdl-bench";
    options.zoom = static_cast<int>(state.range(0));
    std::string error;
    std::unique_ptr<platform::sdl::SdlBackend> backend = platform::sdl::SdlBackend::Open(options, &error);
    if (!backend) {
        state.SkipWithError(error.c_str());
        return;
    }
    Frames frames;
    for (auto _ : state) {
        state.PauseTiming();
        platform::PixelRows frame = frames.Next();
        state.ResumeTiming();
        backend->Present(frame);
        backend->PumpEvents(false);
    }
}

void SoftwareFramebuffer(benchmark::State& state) { Present(state, nullptr); }
void DefaultOpenGL(benchmark::State& state) { Present(state, "opengl"); }

BENCHMARK(SoftwareFramebuffer)->Arg(1)->Arg(2)->Arg(3)->Unit(benchmark::kMicrosecond);
BENCHMARK(DefaultOpenGL)->Arg(1)->Arg(2)->Arg(3)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
