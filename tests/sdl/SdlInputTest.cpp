// The phone's key from a layout's key and the key's place: the top row gives digits on layouts
// that type none there.
#include <gtest/gtest.h>

#include "platform/sdl/SdlInput.h"

namespace {

using platform::sdl::PhoneKey;

TEST(SdlInputTest, TheTopRowGivesItsDigitsByPlaceOnlyWhereTheLayoutGivesNoKey) {
    // Scancodes are USB usage numbers: 30 .. 38 the keys 1 .. 9, 39 the key 0, 29 Z, 40 Return, 45 minus.
    struct Case {
        UINT layoutKey;
        int scancode;
        UINT expected;
    } cases[] = {
        {0, 30, '1'}, {0, 31, '2'}, {0, 38, '9'}, {0, 39, '0'},  // AZERTY: & é ... ç à
        {'4', 33, '4'}, {'7', 36, '7'},                          // QWERTY: the layout's digit
        {'A', 30, 'A'}, {VK_RETURN, 39, VK_RETURN},              // whatever the layout maps stays
        {0, 29, 0}, {0, 40, 0}, {0, 45, 0},                      // beside the top row: not the phone's
    };
    for (const Case& c : cases) EXPECT_EQ(PhoneKey(c.layoutKey, c.scancode), c.expected) << c.scancode;
}

}  // namespace
