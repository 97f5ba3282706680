// The game's entry point (a placeholder until the game window exists).
#include "game/WinMain.h"

#include <cstdio>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPWSTR, int) {
    std::printf("Tintaro: the game window is not built yet; the puzzle engine runs in the test suite (make test).\n");
    return 0;
}
