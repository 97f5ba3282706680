// The Options dialog run modally over a test window, driven by keys as a player would: what it
// shows for the values given, the enable rule, Save, OK and Cancel, the rows and the title.
#include "screens/OptionsDlg.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdlib>
#include <functional>
#include <string>

#include "platform/Device.h"
#include "platform/Messages.h"
#include "platform/Resources.h"
#include "platform/Runtime.h"
#include "platform/Selector.h"
#include "platform/Windowing.h"
#include "res/Resources.h"
#include "tests/support/PlatformFixture.h"

namespace {

// sound, mode, type, size, colours
using Values = std::array<int, 5>;
constexpr int kIds[] = {IDC_SOUNDS, IDC_GAME, IDC_TYPE, IDC_SIZE, IDC_COLORS};  // top to bottom

class OptionsDlgTest : public PlatformTest {
protected:
    void SetUp() override {
        PlatformTest::SetUp();
        instance = platform::RegisterModule(TintaroResources());
    }

    // Shows the dialog with the values given. Whenever everything is painted and handled, look
    // sees the dialog, then the next key is pressed. The keys end the dialog.
    int Run(COptionsDlg& dlg, const Values& given, std::vector<UINT> keys, std::function<void(HWND)> look = {}) {
        dlg.m_bPlaySounds = given[0];
        dlg.m_nMode = given[1];
        dlg.m_nType = given[2];
        dlg.m_nSize = given[3];
        dlg.m_nColors = given[4];
        RecordingWindow parent(/*visible=*/true);
        backend.SetIdleHandler([&, next = size_t{0}]() mutable {
            if (look) look(dlg.m_hWnd);
            if (next == keys.size()) return false;
            backend.ScriptKey(keys[next++]);
            return true;
        });
        int result = dlg.DoModal(parent.hwnd(), instance, IDD_OPTIONS);
        backend.SetIdleHandler(nullptr);
        return result;
    }

    static Values Taken(const COptionsDlg& dlg) {
        return {dlg.m_bPlaySounds, dlg.m_nMode, dlg.m_nType, dlg.m_nSize, dlg.m_nColors};
    }

    // The selected entries' texts, top to bottom; "" where nothing is selected.
    static std::array<std::wstring, 5> Shown(HWND dialog) {
        std::array<std::wstring, 5> texts;
        for (int i = 0; i < 5; ++i) {
            HWND control = GetDlgItem(dialog, kIds[i]);
            wchar_t text[64] = {};
            SendMessageW(control, LB_GETTEXT, COptionsDlg::GetSelection(control), reinterpret_cast<LPARAM>(text));
            texts[i] = text;
        }
        return texts;
    }

    HINSTANCE instance = nullptr;
};

TEST_F(OptionsDlgTest, TypeSizeAndColorsAreEnabledExactlyWhileSingleIsChosenAndCancelKeepsTheValues) {
    for (int mode = 0; mode < 5; ++mode) {
        COptionsDlg dlg;
        Values given{1, mode, 2, 6, 4};
        std::vector<int> games;
        // Down reaches the game selector; five steps go once round every mode.
        EXPECT_EQ(Run(dlg, given, {VK_DOWN, VK_RIGHT, VK_RIGHT, VK_RIGHT, VK_RIGHT, VK_RIGHT, VK_F2},
                      [&](HWND h) {
                          int game = COptionsDlg::GetSelection(GetDlgItem(h, IDC_GAME));
                          games.push_back(game);
                          for (int id : {IDC_SOUNDS, IDC_GAME}) EXPECT_TRUE(IsWindowEnabled(GetDlgItem(h, id)));
                          for (int id : {IDC_TYPE, IDC_SIZE, IDC_COLORS})
                              EXPECT_EQ(IsWindowEnabled(GetDlgItem(h, id)), game == 0) << mode << " " << id;
                      }),
                  COptionsDlg::RESULT_CANCELLED);
        EXPECT_EQ(games.front(), mode);
        EXPECT_EQ(games.size(), 7u);
        EXPECT_EQ(games.back(), mode) << "once round";
        EXPECT_EQ(Taken(dlg), given) << mode;
    }
}

TEST_F(OptionsDlgTest, WhatIsShownForTheValuesGivenAndWhatSaveOrOkTakesBack) {
    struct Case {
        const char* what;
        Values given;
        std::array<std::wstring, 5> shown;
        std::vector<UINT> keys;
        int result;
        Values taken;
    } cases[] = {
        {"save untouched", {1, 0, 2, 6, 4}, {L"Play Sounds: On", L"Game: Single", L"Type: X", L"Size: 6", L"Colors: 4"},
         {VK_F1}, 1, {1, 0, 2, 6, 4}},
        {"ok untouched", {0, 3, 4, 8, 5}, {L"Play Sounds: Off", L"Game: Hard", L"Type: Double Center", L"Size: 8",
         L"Colors: 5"}, {VK_RETURN}, 1, {0, 3, 4, 8, 5}},
        {"size to 3", {1, 0, 0, 6, 3}, {L"Play Sounds: On", L"Game: Single", L"Type: Normal", L"Size: 6", L"Colors: 3"},
         {VK_DOWN, VK_DOWN, VK_DOWN, VK_LEFT, VK_LEFT, VK_LEFT, VK_F1}, 1, {1, 0, 0, 3, 3}},
        {"colours to 5, sound off, by OK", {1, 0, 1, 3, 2}, {L"Play Sounds: On", L"Game: Single", L"Type: No Center",
         L"Size: 3", L"Colors: 2"}, {VK_RIGHT, VK_UP, VK_LEFT, VK_RETURN}, 1, {0, 0, 1, 3, 5}},
        {"a disabled row is still read", {1, 0, 3, 5, 3}, {L"Play Sounds: On", L"Game: Single", L"Type: Corners",
         L"Size: 5", L"Colors: 3"}, {VK_DOWN, VK_DOWN, VK_RIGHT, VK_UP, VK_RIGHT, VK_F1}, 1, {1, 1, 4, 5, 3}},
        // Values outside the lists: the sound counts as on, the others show nothing and are kept.
        {"outside the lists", {7, 0, 9, 9, 1}, {L"Play Sounds: On", L"Game: Single", L"", L"", L""}, {VK_F1}, 1,
         {1, 0, 9, 9, 1}},
        {"changes cancelled", {1, 2, 0, 4, 3}, {L"Play Sounds: On", L"Game: Normal", L"Type: Normal", L"Size: 4",
         L"Colors: 3"}, {VK_RIGHT, VK_DOWN, VK_RIGHT, VK_F2}, 2, {1, 2, 0, 4, 3}},
    };
    for (const Case& c : cases) {
        COptionsDlg dlg;
        std::array<std::wstring, 5> first;
        EXPECT_EQ(Run(dlg, c.given, c.keys, [&](HWND h) { if (first[0].empty()) first = Shown(h); }), c.result)
            << c.what;
        EXPECT_EQ(first, c.shown) << c.what;
        EXPECT_EQ(Taken(dlg), c.taken) << c.what;
    }
}

TEST_F(OptionsDlgTest, ASelectorWithoutASelectionKeepsItsValueOnSave) {
    for (int id : kIds) {
        COptionsDlg dlg;
        Values given{0, 1, 2, 7, 4};
        EXPECT_EQ(Run(dlg, given, {VK_F1},
                      [&](HWND h) { SendMessageW(GetDlgItem(h, id), LB_SETCURSEL, static_cast<WPARAM>(-1), 0); }),
                  1);
        EXPECT_EQ(Taken(dlg), given) << id;
    }
}

TEST_F(OptionsDlgTest, RowsOfNineteenPixelsStandFourPixelsInAboveTheBottom) {
    struct {
        int id, top;  // from the client's bottom edge
    } rows[] = {{IDC_COLORS, 23}, {IDC_SIZE, 42}, {IDC_TYPE, 61}, {IDC_GAME, 80}, {IDC_SOUNDS, 99}};
    COptionsDlg dlg;
    Run(dlg, {1, 0, 0, 3, 2}, {VK_F2}, [&](HWND h) {
        RECT dialog, client, r;
        GetWindowRect(h, &dialog);
        GetClientRect(h, &client);
        for (const auto& row : rows) {
            GetWindowRect(GetDlgItem(h, row.id), &r);
            EXPECT_EQ(r.left - dialog.left, 4) << row.id;
            EXPECT_EQ(r.right - r.left, 232) << row.id;
            EXPECT_EQ(r.bottom - r.top, 19) << row.id;
            EXPECT_EQ(client.bottom - (r.top - dialog.top), row.top) << row.id;
        }
    });
}

// The title area: white but for two lines centred on the screen, their tops one and two steps
// down. TINTARO_SHOTS_DIR gets each screen as a PNG.
TEST_F(OptionsDlgTest, TheTitleAreaIsWhiteWithTwoCentredLinesAStepApart) {
    struct {
        int width, height, step, mode;
    } screens[] = {{240, 320, 18, 0}, {240, 320, 18, 1}, {176, 220, 13, 1}, {480, 640, 36, 0}};
    for (const auto& s : screens) {
        platform::ResetAll();  // the system font follows the screen it is first used on
        platform::SetBackend(&backend);
        ASSERT_TRUE(platform::SelectDeviceProfile(s.width, s.height));
        instance = platform::RegisterModule(TintaroResources());
        COptionsDlg dlg;
        std::vector<int> inkRows;
        int left = s.width, right = -1;
        Run(dlg, {1, s.mode, 0, 3, 2}, {VK_F2}, [&](HWND h) {
            RECT dialog, top;
            GetWindowRect(h, &dialog);
            GetWindowRect(GetDlgItem(h, IDC_SOUNDS), &top);
            for (int y = dialog.top; y < top.top; ++y) {
                bool ink = false;
                for (int x = 0; x < s.width; ++x)
                    if (backend.FramePixel(x, y) != 0xFFFF) {
                        ink = true;
                        left = std::min(left, x);
                        right = std::max(right, x);
                    }
                if (ink) inkRows.push_back(y - dialog.top);
            }
            if (const char* dir = std::getenv("TINTARO_SHOTS_DIR"))
                backend.DumpLastFrame(std::string(dir) + "/options-" + (s.mode ? "easy-" : "single-") +
                                      std::to_string(s.width) + "x" + std::to_string(s.height) + ".png");
        });
        ASSERT_FALSE(inkRows.empty()) << s.width;
        EXPECT_GE(inkRows.front(), s.step) << s.width;
        EXPECT_LT(inkRows.front(), 2 * s.step) << s.width;
        EXPECT_TRUE(std::any_of(inkRows.begin(), inkRows.end(), [&](int y) { return y >= 2 * s.step; })) << s.width;
        EXPECT_LE(inkRows.back(), 3 * s.step) << s.width;
        EXPECT_NEAR(left + right, s.width - 1, 2) << s.width << ": centred";
    }
}

}  // namespace
