// The phone's key from a layout's key and the key's place (scancodes are USB usage numbers:
// 30 .. 38 the top row's 1 .. 9, 39 its 0, 29 Z, 40 Return, 45 minus).
#include <gtest/gtest.h>

#include "platform/sdl/SdlInput.h"

TEST(SdlInputTest, TheTopRowGivesItsDigitsByPlaceOnlyWhereTheLayoutGivesNoKey) {
    struct {
        UINT layoutKey;
        int scancode;
        UINT expected;
    } cases[] = {
        {0, 30, '1'}, {0, 31, '2'}, {0, 38, '9'}, {0, 39, '0'},  // AZERTY: & é ... ç à
        {'4', 33, '4'}, {'A', 30, 'A'}, {VK_RETURN, 39, VK_RETURN},  // what the layout maps stays
        {0, 29, 0}, {0, 40, 0}, {0, 45, 0},
    };
    for (const auto& c : cases) EXPECT_EQ(platform::sdl::PhoneKey(c.layoutKey, c.scancode), c.expected) << c.scancode;
}
