// Keys and stylus from SDL events.
#include "platform/sdl/SdlInput.h"

#include <SDL.h>

namespace platform::sdl {
namespace {

// The top row's digit keys, 1 .. 9 and then 0, as USB numbers them.
constexpr int kUsage1 = 30, kUsage0 = 39;
static_assert(SDL_SCANCODE_1 == kUsage1 && SDL_SCANCODE_9 == kUsage1 + 8 && SDL_SCANCODE_0 == kUsage0);

// The virtual key of a key the phone has, or 0.
UINT VirtualKeyOf(SDL_Keycode sym) {
    switch (sym) {
        case SDLK_UP: return VK_UP;
        case SDLK_DOWN: return VK_DOWN;
        case SDLK_LEFT: return VK_LEFT;
        case SDLK_RIGHT: return VK_RIGHT;
        case SDLK_RETURN:
        case SDLK_KP_ENTER: return VK_RETURN;
        case SDLK_F1: return VK_F1;
        case SDLK_F2: return VK_F2;
        case SDLK_ESCAPE: return VK_ESCAPE;
        case SDLK_KP_0: return '0';
        default: break;
    }
    if (sym >= SDLK_KP_1 && sym <= SDLK_KP_9) return static_cast<UINT>('1' + (sym - SDLK_KP_1));
    if (sym >= SDLK_0 && sym <= SDLK_9) return static_cast<UINT>(sym);
    if (sym >= SDLK_a && sym <= SDLK_z) return static_cast<UINT>('A' + (sym - SDLK_a));
    return 0;
}

wchar_t CharacterOf(UINT vk, Uint16 mod) {
    if (mod & (KMOD_CTRL | KMOD_ALT | KMOD_GUI)) return 0;
    if (vk >= '0' && vk <= '9') return static_cast<wchar_t>(vk);
    if (vk < 'A' || vk > 'Z') return 0;
    bool capital = ((mod & KMOD_SHIFT) != 0) != ((mod & KMOD_CAPS) != 0);
    return static_cast<wchar_t>(capital ? vk : vk - 'A' + 'a');
}

int FloorDivide(int value, int divisor) {
    int q = value / divisor;
    return (value % divisor != 0 && value < 0) ? q - 1 : q;
}

}  // namespace

UINT PhoneKey(UINT layoutKey, int scancode) {
    if (layoutKey != 0) return layoutKey;
    if (scancode >= kUsage1 && scancode < kUsage0) return static_cast<UINT>('1' + (scancode - kUsage1));
    return scancode == kUsage0 ? '0' : 0;
}

bool TranslateKey(const SDL_KeyboardEvent& key, InputEvent* out) {
    UINT vk = PhoneKey(VirtualKeyOf(key.keysym.sym), key.keysym.scancode);
    if (vk == 0) return false;
    *out = InputEvent{};
    out->key = vk;
    if (key.type == SDL_KEYUP) {
        out->type = InputType::KeyUp;
        return true;
    }
    out->type = InputType::KeyDown;
    out->ch = CharacterOf(vk, key.keysym.mod);
    out->repeat = key.repeat != 0;
    return true;
}

bool TranslateMouse(const SDL_Event& event, int zoom, InputEvent* out) {
    int x = 0, y = 0;
    switch (event.type) {
        case SDL_MOUSEBUTTONDOWN:
        case SDL_MOUSEBUTTONUP:
            if (event.button.button != SDL_BUTTON_LEFT) return false;
            x = event.button.x;
            y = event.button.y;
            break;
        case SDL_MOUSEMOTION:
            if (!(event.motion.state & SDL_BUTTON_LMASK)) return false;
            x = event.motion.x;
            y = event.motion.y;
            break;
        default: return false;
    }
    *out = InputEvent{};
    out->type = event.type == SDL_MOUSEBUTTONDOWN ? InputType::MouseDown
                : event.type == SDL_MOUSEBUTTONUP ? InputType::MouseUp
                                                  : InputType::MouseMove;
    out->x = FloorDivide(x, zoom);
    out->y = FloorDivide(y, zoom);
    return true;
}

}  // namespace platform::sdl
