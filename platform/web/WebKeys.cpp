// Keys from the browser's key events.
#include "platform/web/WebKeys.h"

namespace platform::web {
namespace {

struct NamedKey {
    std::string_view name;
    UINT vk;
};

constexpr NamedKey kNamedKeys[] = {
    {"ArrowUp", VK_UP}, {"ArrowDown", VK_DOWN}, {"ArrowLeft", VK_LEFT}, {"ArrowRight", VK_RIGHT},
    {"Enter", VK_RETURN}, {"F1", VK_F1},        {"F2", VK_F2},          {"Escape", VK_ESCAPE},
};

bool IsDigit(char c) { return c >= '0' && c <= '9'; }
bool IsLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }

}  // namespace

bool TranslateKey(bool down, std::string_view key, std::string_view code, unsigned modifiers, bool repeat,
                  InputEvent* out) {
    if (modifiers & (kControl | kAlt | kMeta)) return false;
    UINT vk = 0;
    wchar_t ch = 0;
    for (const NamedKey& named : kNamedKeys)
        if (key == named.name) vk = named.vk;
    if (vk == 0 && key.size() == 1 && IsDigit(key[0])) {
        vk = static_cast<UINT>(key[0]);
        ch = static_cast<wchar_t>(key[0]);
    } else if (vk == 0 && key.size() == 1 && IsLetter(key[0])) {
        vk = static_cast<UINT>(key[0] >= 'a' ? key[0] - 'a' + 'A' : key[0]);
        ch = static_cast<wchar_t>(key[0]);
    } else if (vk == 0 && code.size() == 6 && code.substr(0, 5) == "Digit" && IsDigit(code[5])) {
        vk = static_cast<UINT>(code[5]);
        ch = static_cast<wchar_t>(code[5]);
    }
    if (vk == 0) return false;
    *out = InputEvent{};
    out->type = down ? InputType::KeyDown : InputType::KeyUp;
    out->key = vk;
    if (down) {
        out->ch = ch;
        out->repeat = repeat;
    }
    return true;
}

}  // namespace platform::web
