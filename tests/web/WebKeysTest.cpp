// The browser's key events as the phone's keys: the same keys as on the desktop (the plain arrows,
// Enter, F1, digits and letters are pressed in the browser checks too).
#include <gtest/gtest.h>

#include "platform/web/WebKeys.h"

namespace {

using platform::InputEvent;
using platform::InputType;

struct Case { bool down; const char* key; const char* code; unsigned modifiers; bool taken; UINT vk; wchar_t ch; };

TEST(WebKeysTest, KeysAsOnTheDesktop) {
    using namespace platform::web;
    const Case cases[] = {
        {true, "Enter", "NumpadEnter", 0, true, VK_RETURN, 0},
        {true, "Escape", "Escape", kShift, true, VK_ESCAPE, 0},
        {true, "N", "KeyN", kShift, true, 'N', L'N'},
        {true, "7", "Numpad7", 0, true, '7', L'7'},
        // AZERTY's top row: the layout types & and à, the places are 1 and 0.
        {true, "&", "Digit1", 0, true, '1', L'1'},
        {true, "\xC3\xA0", "Digit0", 0, true, '0', L'0'},
        {false, "&", "Digit1", 0, true, '1', 0},
        // The browser's own shortcuts, and keys the phone lacks.
        {true, "r", "KeyR", kControl, false, 0, 0},
        {true, "1", "Digit1", kAlt, false, 0, 0},
        {true, " ", "Space", 0, false, 0, 0},
        {true, "\xC3\xA9", "Digit2", kShift, true, '2', L'2'},
        {true, "\xC3\xA9", "KeyQ", 0, false, 0, 0},
        {true, "F5", "F5", 0, false, 0, 0},
    };
    for (const Case& c : cases) {
        InputEvent e{InputType::Char, 0xDEAD, L'?', 5, 5, true};
        ASSERT_EQ(TranslateKey(c.down, c.key, c.code, c.modifiers, false, &e), c.taken) << c.key << " " << c.code;
        if (!c.taken) continue;
        EXPECT_EQ(e.type, c.down ? InputType::KeyDown : InputType::KeyUp) << c.key;
        EXPECT_EQ(e.key, c.vk) << c.key;
        EXPECT_EQ(e.ch, c.ch) << c.key;
        EXPECT_FALSE(e.repeat) << c.key;
    }
    InputEvent held;
    ASSERT_TRUE(TranslateKey(true, "ArrowDown", "ArrowDown", 0, true, &held));
    EXPECT_TRUE(held.repeat);
}

}  // namespace
