// The SDL backend: a software renderer on the window's own framebuffer, a 5-6-5 streaming texture
// scaled by a whole zoom, and an event wait that a watcher thread can interrupt.
#include "platform/sdl/SdlBackend.h"

#include <SDL.h>
#include <png.h>

#include <algorithm>
#include <array>
#include <bit>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "platform/Clock.h"
#include "platform/Device.h"
#include "platform/Messages.h"
#include "platform/sdl/DescriptorWatcher.h"
#include "platform/sdl/SdlInput.h"
#include "platform/sdl/SdlSound.h"
#include "platform/sdl/X11Errors.h"

namespace platform::sdl {
namespace {

// Room left for the window's title bar when the zoom is chosen for the desktop.
constexpr int kTitleBarAllowance = 48;

const char kNoDisplayAdvice[] =
    "Start it on a desktop, or under a virtual X server: xvfb-run -a followed by this command.";

bool Set(const char* name) {
    const char* value = std::getenv(name);
    return value && *value;
}

// Without a display, SDL 2.26 falls back to its offscreen driver, which shows nothing.
bool HeadlessDriver(const char* driver) {
    return driver && (std::strcmp(driver, "offscreen") == 0 || std::strcmp(driver, "dummy") == 0);
}

std::string NoDisplay(const std::string& why) { return "no display: " + why + ".\n" + kNoDisplayAdvice; }

// The display the environment names, for messages.
std::string DisplayName() {
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY"})
        if (Set(name)) return std::getenv(name);
    return "the display";
}

}  // namespace

int LargestZoomThatFits(int deviceWidth, int deviceHeight, int areaWidth, int areaHeight) {
    if (deviceWidth <= 0 || deviceHeight <= 0) return 1;
    return std::max(1, std::min(areaWidth / deviceWidth, areaHeight / deviceHeight));
}

struct SdlBackend::Impl {
    SDL_Window* window = nullptr;
    SDL_Renderer* renderer = nullptr;
    SDL_Texture* texture = nullptr;
    SDL_Texture* staging = nullptr;
    // The fast way, where the window's framebuffer holds 32-bit pixels: frames are widened and
    // zoomed straight into it, with no renderer in between.
    bool direct = false;
    std::array<Uint32, 256> fromHigh{}, fromLow{};  // a 5-6-5 word's window pixel is the OR of both
    int width = 0;
    int height = 0;
    int zoom = 1;
    bool shown = false;
    bool hasFrame = false;
    Uint32 wakeEvent = 0;  // and wakeEvent + 1: the watcher failed (code: its errno)
    Uint32 soundDoneEvent = 0;
    std::unique_ptr<DescriptorWatcher> watcher;
    std::unique_ptr<SdlSound> sound;
    std::string trouble;

    ~Impl() {
        watcher.reset();  // it pushes SDL events: stop it before SDL goes
        sound.reset();    // the same for the audio callback
        if (staging) SDL_DestroyTexture(staging);
        if (texture) SDL_DestroyTexture(texture);
        if (renderer) SDL_DestroyRenderer(renderer);
        if (window) SDL_DestroyWindow(window);
        SDL_Quit();
    }

    bool CreateRenderer(std::string* error);
    bool UseWindowSurface();
    void ToWindowSurface(const PixelRows& screen);
    // The frame into the 5-6-5 texture (and the staging copy at a zoom).
    bool Upload(const PixelRows& screen);
    void Redraw();
    void Handle(const SDL_Event& event);
};

bool SdlBackend::Impl::CreateRenderer(std::string* error) {
    // A renderer named in the environment is a request for that renderer.
    if (!Set("SDL_RENDER_DRIVER") && UseWindowSurface()) return true;
    // Drawing straight into the window's framebuffer starts faster and needs far less memory than
    // SDL's default OpenGL path. Displays that offer no such framebuffer get the default.
    renderer = SDL_CreateRenderer(window, -1, SDL_RENDERER_SOFTWARE);
    if (!renderer) renderer = SDL_CreateRenderer(window, -1, 0);
    if (renderer)
        texture = SDL_CreateTexture(renderer, SDL_PIXELFORMAT_RGB565, SDL_TEXTUREACCESS_STREAMING, width, height);
    if (!texture) {
        *error = std::string("cannot draw in the window: ") + SDL_GetError();
        return false;
    }
    SDL_SetTextureScaleMode(texture, SDL_ScaleModeNearest);
    // The software renderer scales fast only between surfaces of one format: at a zoom, each frame is
    // converted once at the device's size into the window's format, and that copy is scaled.
    if (zoom > 1) {
        staging = SDL_CreateTexture(renderer, SDL_GetWindowPixelFormat(window), SDL_TEXTUREACCESS_TARGET, width,
                                    height);
        if (staging) SDL_SetTextureScaleMode(staging, SDL_ScaleModeNearest);
    }
    return true;
}

// Each channel is widened by repeating its top bits, as SDL does; green straddles the two bytes of
// a 5-6-5 word but its widened bits still split into a part of each byte, so two tables suffice.
bool SdlBackend::Impl::UseWindowSurface() {
    SDL_Surface* surface = SDL_GetWindowSurface(window);
    if (!surface || surface->format->BytesPerPixel != 4) return false;
    const SDL_PixelFormat* pixel = surface->format;
    for (Uint32 byte = 0; byte < 256; ++byte) {
        const Uint32 red = byte >> 3, greenHigh = byte & 7, greenLow = byte >> 5, blue = byte & 0x1F;
        fromHigh[byte] = ((red << 3 | red >> 2) << pixel->Rshift) |
                         ((greenHigh << 5 | greenHigh >> 1) << pixel->Gshift) | pixel->Amask;
        fromLow[byte] = ((greenLow << 2) << pixel->Gshift) | ((blue << 3 | blue >> 2) << pixel->Bshift);
    }
    direct = true;
    return true;
}

void SdlBackend::Impl::ToWindowSurface(const PixelRows& screen) {
    SDL_Surface* surface = SDL_GetWindowSurface(window);
    if (!surface || surface->w < width * zoom || surface->h < height * zoom || SDL_LockSurface(surface) != 0) return;
    void* pixels = surface->pixels;
    const int pitch = surface->pitch;
    const size_t rowBytes = static_cast<size_t>(width) * zoom * 4;
    for (int y = 0; y < height; ++y) {
        auto* first = static_cast<Uint8*>(pixels) + static_cast<size_t>(y) * zoom * pitch;
        auto* out = reinterpret_cast<Uint32*>(first);
        const Uint8* in = screen.Row(y);
        if (zoom == 2) {  // the usual zoom: both copies of a pixel in one store
            for (int x = 0; x < width; ++x, in += 2, out += 2) {
                const uint64_t v = (fromLow[in[0]] | fromHigh[in[1]]) * uint64_t{0x100000001};
                std::memcpy(out, &v, sizeof v);
            }
        } else {
            for (int x = 0; x < width; ++x, in += 2) {
                const Uint32 v = fromLow[in[0]] | fromHigh[in[1]];
                for (int i = 0; i < zoom; ++i) *out++ = v;
            }
        }
        for (int i = 1; i < zoom; ++i) std::memcpy(first + static_cast<size_t>(i) * pitch, first, rowBytes);
    }
    SDL_UnlockSurface(surface);
}

std::unique_ptr<SdlBackend> SdlBackend::Open(const WindowOptions& options, std::string* error) {
    bool driverChosen = Set("SDL_VIDEODRIVER");
    if (!driverChosen && !Set("DISPLAY") && !Set("WAYLAND_DISPLAY")) {
        *error = NoDisplay("neither DISPLAY nor WAYLAND_DISPLAY is set");
        return nullptr;
    }
    // Only X is on offer: trying Wayland as well would print its own complaints before ours.
    if (!driverChosen && !Set("WAYLAND_DISPLAY")) SDL_SetHint(SDL_HINT_VIDEODRIVER, "x11");
    // The program ends on these signals through its own handlers, saving first.
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
    // A puzzle left alone must not keep the screen awake.
    SDL_SetHint(SDL_HINT_VIDEO_ALLOW_SCREENSAVER, "1");
    TolerateGoneWindows();
    if (SDL_Init(SDL_INIT_VIDEO) != 0) {
        *error = NoDisplay("cannot open " + DisplayName() + " (" + SDL_GetError() + ")");
        SDL_Quit();
        return nullptr;
    }
    auto impl = std::make_unique<Impl>();
    if (!driverChosen && HeadlessDriver(SDL_GetCurrentVideoDriver())) {
        *error = NoDisplay("cannot open " + DisplayName());
        return nullptr;
    }
    const DeviceProfile& device = CurrentDeviceProfile();
    impl->width = device.width;
    impl->height = device.height;
    impl->zoom = options.zoom;
    if (impl->zoom <= 0) {
        SDL_Rect usable{0, 0, device.width, device.height};
        SDL_GetDisplayUsableBounds(0, &usable);
        impl->zoom = LargestZoomThatFits(device.width, device.height, usable.w, usable.h - kTitleBarAllowance);
    }
    impl->window = SDL_CreateWindow(options.title.c_str(), SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED,
                                    impl->width * impl->zoom, impl->height * impl->zoom, SDL_WINDOW_HIDDEN);
    if (!impl->window) {
        *error = std::string("cannot make a window: ") + SDL_GetError();
        return nullptr;
    }
    if (!impl->CreateRenderer(error)) return nullptr;
    // Text input would only add an input method; typed characters come with the key events.
    SDL_StopTextInput();
    impl->wakeEvent = SDL_RegisterEvents(3);
    impl->soundDoneEvent = impl->wakeEvent + 2;
    Uint32 wakeEvent = impl->wakeEvent, soundDoneEvent = impl->soundDoneEvent;
    impl->sound = std::make_unique<SdlSound>([soundDoneEvent] {
        SDL_Event done{};
        done.type = soundDoneEvent;
        SDL_PushEvent(&done);
    });
    impl->watcher = std::make_unique<DescriptorWatcher>(
        [wakeEvent] {
            SDL_Event wake{};
            wake.type = wakeEvent;
            SDL_PushEvent(&wake);
        },
        [wakeEvent](int err) {
            SDL_Event failed{};
            failed.type = wakeEvent + 1;
            failed.user.code = err;
            SDL_PushEvent(&failed);
        });
    if (impl->wakeEvent == static_cast<Uint32>(-1) || !impl->watcher->Running()) {
        *error = "cannot watch for termination signals and for a second start";
        return nullptr;
    }
    return std::unique_ptr<SdlBackend>(new SdlBackend(std::move(impl)));
}

SdlBackend::SdlBackend(std::unique_ptr<Impl> impl) : impl_(std::move(impl)) {}
SdlBackend::~SdlBackend() = default;

int SdlBackend::Zoom() const { return impl_->zoom; }
const std::string& SdlBackend::Trouble() const { return impl_->trouble; }

uint32_t SdlBackend::TickCount() { return MonotonicMilliseconds(); }

void SdlBackend::Impl::Redraw() {
    if (!hasFrame) return;
    if (direct) {
        SDL_UpdateWindowSurface(window);
        return;
    }
    // The texture covers the whole window: nothing to clear first.
    SDL_RenderCopy(renderer, staging ? staging : texture, nullptr, nullptr);
    SDL_RenderPresent(renderer);
}

void SdlBackend::Present(const PixelRows& screen) {
    Impl& s = *impl_;
    if (screen.width != s.width || screen.height != s.height || screen.bitsPerPixel != 16) return;
    if (s.direct) {
        s.ToWindowSurface(screen);
    } else if (!s.Upload(screen)) {
        return;
    }
    s.hasFrame = true;
    if (!s.shown) {
        SDL_ShowWindow(s.window);
        s.shown = true;
    }
    s.Redraw();
}

bool SdlBackend::Impl::Upload(const PixelRows& screen) {
    void* pixels = nullptr;
    int pitch = 0;
    if (SDL_LockTexture(texture, nullptr, &pixels, &pitch) != 0) return false;
    for (int y = 0; y < height; ++y) {
        auto* row = static_cast<Uint16*>(pixels) + static_cast<size_t>(y) * (pitch / 2);
        if constexpr (std::endian::native == std::endian::little) {
            std::memcpy(row, screen.Row(y), static_cast<size_t>(width) * 2);
        } else {
            for (int x = 0; x < width; ++x) row[x] = screen.Get16(x, y);
        }
    }
    SDL_UnlockTexture(texture);
    if (staging) {
        SDL_SetRenderTarget(renderer, staging);
        SDL_RenderCopy(renderer, texture, nullptr, nullptr);
        SDL_SetRenderTarget(renderer, nullptr);
    }
    return true;
}

void SdlBackend::Minimize() {
    if (impl_->shown) SDL_MinimizeWindow(impl_->window);
}

void SdlBackend::Raise() {
    if (!impl_->shown) return;
    SDL_RestoreWindow(impl_->window);
    SDL_RaiseWindow(impl_->window);
}

void SdlBackend::PlayPcm(const PcmSound& sound) { impl_->sound->Play(sound); }

void SdlBackend::Impl::Handle(const SDL_Event& event) {
    InputEvent input;
    if (event.type == wakeEvent) {
        DispatchReadable(0);
    } else if (event.type == soundDoneEvent) {
        sound->CloseIfPlayedOut();
    } else if (event.type == wakeEvent + 1) {
        // Signals and second starts would go unheard: end the game the orderly way, saved.
        trouble = std::string("cannot watch for termination signals and a second start any more (") +
                  std::strerror(event.user.code) + ")";
        QueueInput(InputEvent{InputType::Close, 0, 0, 0, 0, false});
    } else if (event.type == SDL_WINDOWEVENT) {
        switch (event.window.event) {
            case SDL_WINDOWEVENT_CLOSE: QueueInput(InputEvent{InputType::Close, 0, 0, 0, 0, false}); break;
            case SDL_WINDOWEVENT_EXPOSED:
            case SDL_WINDOWEVENT_RESTORED: Redraw(); break;
            default: break;
        }
    } else if (event.type == SDL_KEYDOWN || event.type == SDL_KEYUP) {
        if (TranslateKey(event.key, &input)) QueueInput(input);
    } else if (TranslateMouse(event, zoom, &input)) {
        QueueInput(input);
    }
}

bool SdlBackend::PumpEvents(bool wait) {
    Impl& s = *impl_;
    s.watcher->Arm(WatchedDescriptors());
    SDL_Event event;
    if (wait) {
        if (!SDL_WaitEvent(&event)) return false;
        s.Handle(event);
    }
    while (SDL_PollEvent(&event)) s.Handle(event);
    return true;
}

bool SdlBackend::SetIcon(std::span<const uint8_t> png) {
    constexpr png_uint_32 kMaxSide = 1024;
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    if (png.empty() || !png_image_begin_read_from_memory(&image, png.data(), png.size())) return false;
    if (image.width > kMaxSide || image.height > kMaxSide) {
        png_image_free(&image);
        return false;
    }
    image.format = PNG_FORMAT_RGBA;
    std::vector<uint8_t> pixels(PNG_IMAGE_SIZE(image));
    // Both ends of the read free the image themselves.
    if (!png_image_finish_read(&image, nullptr, pixels.data(), 0, nullptr)) return false;
    const int width = static_cast<int>(image.width), height = static_cast<int>(image.height);
    SDL_Surface* icon =
        SDL_CreateRGBSurfaceWithFormatFrom(pixels.data(), width, height, 32, width * 4, SDL_PIXELFORMAT_RGBA32);
    if (!icon) return false;
    SDL_SetWindowIcon(impl_->window, icon);  // copies the pixels
    SDL_FreeSurface(icon);
    return true;
}

}  // namespace platform::sdl
