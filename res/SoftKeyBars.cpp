// The soft-key bars: 8 for the menu, 131 for Options, 133 for the game.
#include "res/SoftKeyBars.h"

namespace {

constexpr WORD kNoImage = 0xFFFE;
constexpr WORD kEnabled = 4;
constexpr WORD kSizeToLabel = 0x10;
constexpr WORD kNoSubmenu = 0xFFFF;

constexpr platform::SoftKeyButtonResource kMenuBar[] = {{kNoImage, 32795, kEnabled, kSizeToLabel, 44, kNoSubmenu}};
constexpr platform::SoftKeyButtonResource kOptionsBar[] = {
    {kNoImage, 32791, kEnabled, kSizeToLabel, 159, kNoSubmenu},
    {kNoImage, 32790, kEnabled, kSizeToLabel, 162, kNoSubmenu},
};
constexpr platform::SoftKeyButtonResource kGameBar[] = {{kNoImage, 32792, kEnabled, kSizeToLabel, 163, kNoSubmenu}};

constexpr platform::SoftKeyBarResource kBars[] = {{8, kMenuBar}, {131, kOptionsBar}, {133, kGameBar}};

}  // namespace

std::span<const platform::SoftKeyBarResource> TintaroSoftKeyBars() { return kBars; }
