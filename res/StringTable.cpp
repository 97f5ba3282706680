// The string table (language 1033). Texts are exact; several ids are loaded by nothing.
#include "res/StringTable.h"

#include "res/Version.h"

namespace {

constexpr platform::StringResource kStrings[] = {
    {1, L"Tintaro"},
    {2, L"Tintaro"},
    {3, L"TintaroClass"},
    {4, L"Options"},
    {5, L"Menu"},
    {6, L"Hold"},
    {10, L"Game: Single"},
    {11, L"Game: Easy"},
    {12, L"Game: Normal"},
    {13, L"Game: Hard"},
    {14, L"Game: Random"},
    {15, L"Type: Normal"},
    {16, L"Type: No Center"},
    {17, L"Type: X"},
    {18, L"Type: Corners"},
    {19, L"Type: Double Center"},
    {25, L"Size: 3"},
    {26, L"Size: 4"},
    {27, L"Size: 5"},
    {28, L"Size: 6"},
    {29, L"Size: 7"},
    {30, L"Size: 8"},
    {32, L"Play Sounds: Off"},
    {33, L"Play Sounds: On"},
    {35, L"Colors: 2"},
    {36, L"Colors: 3"},
    {37, L"Colors: 4"},
    {38, L"Colors: 5"},
    {40, L"Resume Game"},
    {41, L"New Game"},
    {42, L"Options"},
    {43, L"Help"},
    {44, L"Quit"},
    {62, L"" TINTARO_VERSION},  // the project's version, given by the build
    {100, L"You Lose"},
    {105, L"Tools"},
    {150, L"Would you like to start a new Game?"},
    {151, L"You Lose"},
    {159, L"Save"},
    {162, L"Cancel"},
    {163, L"Menu"},
    {164, L"Undo"},
};

}  // namespace

std::span<const platform::StringResource> TintaroStrings() { return kStrings; }
