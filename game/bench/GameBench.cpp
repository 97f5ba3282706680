// The game in its real window, measured: how many levels of a move's cross-fade and how many frames
// of a level's slide reach the screen, how long a key takes to show on the screen, and what a move
// costs in CPU. Needs a display (xvfb-run -a -s "-screen 0 1280x1400x24" build/game-bench); the
// memcpy rate of one screen's bytes is the yardstick beside the figures.
#include <benchmark/benchmark.h>
#include <time.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <functional>
#include <set>
#include <string>
#include <vector>

#include "engine/PuzzleGame.h"
#include "game/GameWnd.h"
#include "game/WinMain.h"
#include "platform/Backend.h"
#include "platform/Device.h"
#include "platform/Input.h"
#include "platform/Messages.h"
#include "platform/Registry.h"
#include "platform/Resources.h"
#include "platform/SingleInstance.h"
#include "platform/Windowing.h"
#include "platform/sdl/SdlBackend.h"
#include "res/Resources.h"

namespace {

double WallMs() {
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now().time_since_epoch()).count();
}

double CpuMs() {
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) * 1e3 + static_cast<double>(t.tv_nsec) / 1e6;
}

// Every fourth row tells the frames of a transition apart, which change whole cells at a time.
uint64_t Hash(const platform::PixelRows& screen) {
    uint64_t h = 1469598103934665603ull;
    for (int y = 0; y < screen.height; y += 4) {
        const uint8_t* row = screen.Row(y);
        for (int x = 0; x + 8 <= screen.width * 2; x += 8) {
            uint64_t word;
            std::memcpy(&word, row + x, 8);
            h = (h ^ word) * 1099511628211ull;
        }
    }
    return h;
}

// Stands between the platform and the real window: notes when each frame reached the screen and
// what it showed, and whenever the game would wait for input lets the benchmark act instead
// (false from it closes the game).
class Stage final : public platform::Backend {
public:
    struct Frame {
        double at;       // shown
        uint64_t hash;
        double handed;   // composed and handed to the window
    };

    Stage(platform::Backend& window, std::function<bool()> idle) : window_(window), idle_(std::move(idle)) {}

    bool PumpEvents(bool wait) override {
        if (wait && !closing_ && !idle_()) {
            closing_ = true;
            platform::QueueInput(platform::InputEvent{platform::InputType::Close});
        }
        return window_.PumpEvents(false);
    }
    uint32_t TickCount() override { return window_.TickCount(); }
    void Present(const platform::PixelRows& screen) override {
        const double handed = WallMs();
        window_.Present(screen);
        frames.push_back({WallMs(), Hash(screen), handed});
    }
    void PlayPcm(const platform::PcmSound& sound) override { window_.PlayPcm(sound); }

    std::vector<Frame> frames;

private:
    platform::Backend& window_;
    std::function<bool()> idle_;
    bool closing_ = false;
};

CGameWnd* GameWindow() {
    HWND window = FindWindowW(L"ClassTintaro", L"Qor Tintaro");
    return dynamic_cast<CGameWnd*>(reinterpret_cast<CQorWnd*>(GetWindowLongPtrW(window, GWLP_USERDATA)));
}

// Runs the game on the screen and zoom of the benchmark's arguments, from a 5 x 5 board of five
// colours that the same press never solves, in a settings folder of its own. step runs whenever
// the game waits: it queues the next input and returns true, or returns false to end.
void RunGame(benchmark::State& state, const std::function<bool(Stage&, CGameWnd&)>& step) {
    platform::SelectDeviceProfile(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
    const std::filesystem::path folder =
        std::filesystem::temp_directory_path() / ("tintaro-bench-" + std::to_string(getpid()));
    platform::SetSettingsRoot((folder / "config").string());
    setenv("XDG_RUNTIME_DIR", folder.c_str(), 1);
    {
        CPuzzleGame game;
        game.m_nMode = GAME_SINGLE;
        game.m_nSize = game.m_nColors = 5;
        game.m_nType = TYPE_NORMAL;
        for (int i = 0; i < 64; ++i)
            game.m_Board[i] = static_cast<BYTE>(i / 8 < 5 && i % 8 < 5 ? (i / 8 + i % 8 * 2) % 5 : 0);
        game.SaveState();
    }
    platform::sdl::WindowOptions options;
    options.title = "game-bench";
    options.zoom = static_cast<int>(state.range(2));
    std::string error;
    auto window = platform::sdl::SdlBackend::Open(options, &error);
    if (!window) {
        state.SkipWithError(error.c_str());
        return;
    }
    Stage* self = nullptr;
    Stage stage(*window, [&] {
        CGameWnd* game = GameWindow();
        return game && step(*self, *game);
    });
    self = &stage;
    platform::SetBackend(&stage);
    wchar_t commandLine[] = L"";
    WinMain(platform::RegisterModule(TintaroResources()), nullptr, commandLine, SW_SHOW);
    platform::SetBackend(nullptr);
    std::filesystem::remove_all(folder);
}

void Key(platform::InputType type, UINT key) { platform::QueueInput(platform::InputEvent{type, key}); }

// One press of the action key per iteration. The iteration's time is the latency: from the key's
// release entering the input queue to the first frame of the move on the screen.
void Move(benchmark::State& state) {
    double released = 0, cpuAtRelease = 0, latency = 0, composed = 0, cpu = 0, levels = 0, fewest = 33;
    size_t first = 0;
    bool pressed = false, measuring = false;
    RunGame(state, [&](Stage& stage, CGameWnd&) {
        if (measuring) {  // the move before this wait is over
            measuring = false;
            const double shown = stage.frames.size() > first ? stage.frames[first].at - released : 0;
            std::set<uint64_t> distinct;
            for (size_t i = first; i < stage.frames.size(); ++i) distinct.insert(stage.frames[i].hash);
            latency += shown;
            if (stage.frames.size() > first) composed += stage.frames[first].handed - released;
            cpu += CpuMs() - cpuAtRelease;
            levels += static_cast<double>(distinct.size());
            fewest = std::min(fewest, static_cast<double>(distinct.size()));
            state.SetIterationTime(shown / 1000.0);
        }
        if (!pressed) {
            if (!state.KeepRunning()) return false;
            pressed = true;
            Key(platform::InputType::KeyDown, VK_RETURN);
            return true;
        }
        pressed = false;
        measuring = true;
        first = stage.frames.size();
        cpuAtRelease = CpuMs();
        released = WallMs();
        Key(platform::InputType::KeyUp, VK_RETURN);
        return true;
    });
    const double n = static_cast<double>(state.iterations());
    if (n == 0) return;
    state.counters["latency_ms"] = latency / n;
    state.counters["composed_ms"] = composed / n;
    state.counters["cpu_ms"] = cpu / n;
    state.counters["levels"] = levels / n;
    state.counters["fewest_levels"] = fewest;
}

// One new series level per iteration, as the engine announces it: layout, tiles, and the slide.
void LevelSlide(benchmark::State& state) {
    double frames = 0, distinct = 0, cpu = 0, started = 0, cpuAtStart = 0;
    size_t first = 0;
    bool measuring = false;
    RunGame(state, [&](Stage& stage, CGameWnd& game) {
        if (measuring) {
            measuring = false;
            frames += static_cast<double>(stage.frames.size() - first);
            std::set<uint64_t> pictures;
            for (size_t i = first; i < stage.frames.size(); ++i) pictures.insert(stage.frames[i].hash);
            distinct += static_cast<double>(pictures.size());
            cpu += CpuMs() - cpuAtStart;
            state.SetIterationTime((WallMs() - started) / 1000.0);
        }
        if (!state.KeepRunning()) return false;
        measuring = true;
        first = stage.frames.size();
        started = WallMs();
        cpuAtStart = CpuMs();
        PostMessageW(game.m_hWnd, WM_GAME_NEXTLEVEL, 0, 0);
        return true;
    });
    const double n = static_cast<double>(state.iterations());
    if (n == 0) return;
    state.counters["frames"] = frames / n;
    state.counters["distinct_frames"] = distinct / n;
    state.counters["cpu_ms"] = cpu / n;
}

// The yardstick: one 480 x 640 screen of 5-6-5 pixels copied.
void MemcpyScreen(benchmark::State& state) {
    std::vector<uint8_t> from(480 * 640 * 2, 0x5A), to(from.size());
    for (auto _ : state) {
        std::memcpy(to.data(), from.data(), from.size());
        benchmark::DoNotOptimize(to.data());
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * from.size()));
}

void Screens(benchmark::internal::Benchmark* b) {
    for (int zoom : {1, 2}) {
        b->Args({240, 320, zoom});
        b->Args({480, 640, zoom});
    }
    b->ArgNames({"w", "h", "zoom"})->UseManualTime()->Iterations(15)->Unit(benchmark::kMillisecond);
}

BENCHMARK(MemcpyScreen);
BENCHMARK(Move)->Apply(Screens);
BENCHMARK(LevelSlide)->Apply(Screens);

}  // namespace

BENCHMARK_MAIN();
