// The game's entry point: the game window, the message loop, and the save on the way out.
#include "game/WinMain.h"

#include "game/GameWnd.h"
#include "platform/Messages.h"
#include "platform/Registry.h"
#include "platform/SingleInstance.h"
#include "platform/Windowing.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPWSTR, int) {
    g_hInstance = instance;
    int exitCode = 0;
    {
        CGameWnd game;
        if (game.Create(L"Qor Tintaro", nullptr, instance, L"ClassTintaro", CW_USEDEFAULT, CW_USEDEFAULT,
                        CW_USEDEFAULT, CW_USEDEFAULT, 0, 0)) {
            ShowWindow(game.m_hWnd, SW_SHOW);
            MSG msg;
            while (GetMessageW(&msg, nullptr, 0, 0)) {
                TranslateMessage(&msg);
                DispatchMessageW(&msg);
            }
            exitCode = static_cast<int>(msg.wParam);
        }
    }  // the settings and the game are written here
    // A save that failed, or a running copy that did not answer: the user hears of it (ExitProblems).
    if (exitCode == 0 && !ExitProblems().empty()) exitCode = 1;
    return exitCode;
}

std::vector<std::string> ExitProblems() {
    std::vector<std::string> problems;
    if (std::string problem = platform::WindowNameProblem(); !problem.empty()) problems.push_back(problem);
    for (const platform::StoreWriteFailure& f : platform::FailedStoreWrites()) {
        std::string what = f.value.empty() ? "" : " \"" + f.value + "\"";
        problems.push_back("could not save" + what + " in " + f.folder + ": " + f.reason);
    }
    return problems;
}
