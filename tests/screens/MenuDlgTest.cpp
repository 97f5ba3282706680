// The menu dialog run modally on the headless backend: layout, keys, stylus, soft key and Back,
// and the guards for odd entry counts and missing strings.
#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <string>

#include "gfx/Text.h"
#include "platform/Device.h"
#include "platform/Messages.h"
#include "platform/Runtime.h"
#include "platform/Windowing.h"
#include "res/Resources.h"
#include "res/Dialogs.h"
#include "res/SoftKeyBars.h"
#include "res/StringTable.h"
#include "screens/GameMenuDlg.h"
#include "tests/support/PlatformFixture.h"

namespace {

using platform::InputEvent;
using platform::InputType;
using Steps = std::vector<std::function<void()>>;
constexpr int kTop = 26;  // the client area starts below the status bar
constexpr InputType kDown = InputType::KeyDown, kUp = InputType::KeyUp;

class MenuTest : public PlatformTest {
protected:
    void SetUp() override {
        PlatformTest::SetUp();
        g_hInstance = instance = platform::RegisterModule(TintaroResources());
    }
    // Each step runs once everything before it is handled and painted, and every step must get
    // its turn; a menu still open after the last is closed (and ends with 0).
    int Run(CQorMenuDlg& menu, Steps steps, HINSTANCE module = nullptr, bool setUp = true) {
        module = module ? module : instance;
        if (setUp) menu.SetupMenu(module, L"Qor Tintaro 4.0", 40, 44);
        RecordingWindow parent(/*visible=*/true);
        size_t next = 0;
        backend.SetIdleHandler([&] {
            if (next < steps.size()) steps[next]();
            else if (next == steps.size()) PostMessageW(menu.m_hWnd, WM_CLOSE, 0, 0);
            return next++ <= steps.size();
        });
        const int result = menu.DoModal(parent.hwnd(), module, IDD_MENU);
        EXPECT_GE(next, steps.size()) << "ended early";
        return result;
    }
    // Client coordinates of the menu.
    static InputEvent Pen(InputType type, int x, int y) { return {type, 0, 0, x, y + kTop, false}; }
    std::vector<uint16_t> Area(const RECT& rc) const {
        std::vector<uint16_t> pixels;
        for (int y = rc.top; y < rc.bottom; ++y)
            for (int x = rc.left; x < rc.right; ++x) pixels.push_back(backend.FramePixel(x, y + kTop));
        return pixels;
    }

    HINSTANCE instance = nullptr;
    CGameMenuDlg menu;
};

bool Same(const RECT& a, const RECT& b) {
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

// The first row in which a red channel passes half: the white title over the dark top.
int FirstBrightRow(const std::function<COLORREF(int, int)>& pixel) {
    for (int y = 0; y < 40; ++y)
        for (int x = 0; x < 240; ++x)
            if ((pixel(x, y) & 0xFF) > 0x80) return y;
    return -1;
}

TEST_F(MenuTest, LaysOutThePhoneScreenFromItsMetrics) {
    EXPECT_EQ(Run(menu, {[&] {
        for (int i = 0; i < 5; ++i) EXPECT_TRUE(Same(menu.m_Entries[i].m_rc, {40, 45 + 37 * i, 200, 77 + 37 * i})) << i;
        EXPECT_TRUE(Same(menu.m_Frame.m_rc, {36, 44, 205, 79})) << "drawn on the first entry";
        LOGFONTW entry{}, large{};
        GetObjectW(menu.m_hFontEntry, sizeof entry, &entry);
        GetObjectW(menu.m_hFontLarge, sizeof large, &large);
        EXPECT_EQ(entry.lfHeight * 100 + large.lfHeight, 1617);
        // The title's cell starts at row 13: the same text drawn at row 0 is the reference.
        HDC ref = CreateCompatibleDC(nullptr);
        SelectObject(ref, CreateCompatibleBitmap(ref, 240, 40));
        RECT box{0, 0, 240, 40};
        DrawTextEllipsis(ref, L"Qor Tintaro 4.0", &box, DT_CENTER, menu.m_hFontLarge, 0xFFFFFF, TRANSPARENT);
        EXPECT_EQ(FirstBrightRow([&](int x, int y) { return platform::Unpack565(backend.FramePixel(x, y + kTop)); }),
                  13 + FirstBrightRow([&](int x, int y) { return GetPixel(ref, x, y); }));
        // The selected label is in the entries' ink from the first paint on, never black.
        int ink = 0, black = 0;
        for (uint16_t p : Area({60, 50, 180, 74})) ink += p == platform::Pack565(0x5A320D), black += p == 0;
        EXPECT_TRUE(ink > 0 && black == 0) << ink << " " << black;
        menu.m_Entries[0].Release();  // the same size again lays nothing out
        SendMessageW(menu.m_hWnd, WM_SIZE, 0, 0);
        EXPECT_EQ(menu.m_Entries[0].m_pszText, nullptr);
    }}), 0);
}

// Input sequences and what they leave: the selection, the result, the help pages opened.
TEST_F(MenuTest, KeysActOnReleaseAndTheStylusOnTheEntryItWasPressedOn) {
    const InputEvent held{kDown, VK_DOWN, 0, 0, 0, true};
    const struct {
        const char* name;
        std::vector<InputEvent> input;
        int sel, result;
        size_t pages;
    } cases[] = {
        {"up wraps to Quit", {{kDown, VK_UP}, {kUp, VK_UP}}, 4, 0, 0},
        {"down wraps back", {{kUp, VK_UP}, {kUp, VK_DOWN}}, 0, 0, 0},
        {"held down moves once", {{kDown, VK_DOWN}, held, held, {kUp, VK_DOWN}}, 1, 0, 0},
        {"4 opens help", {{kDown, '4'}, {kUp, '4'}}, 0, 0, 1},
        {"6 and 0 do nothing", {{kDown, '6'}, {kUp, '6'}, {kDown, '0'}, {kUp, '0'}}, 0, 0, 0},
        {"Enter on Options", {{kUp, VK_DOWN}, {kUp, VK_DOWN}, {kDown, VK_RETURN}, {kUp, VK_RETURN}}, 2, 3, 0},
        {"a release alone", {{kUp, VK_DOWN}, {kUp, VK_RETURN}}, 1, 2, 0},
        {"tap on New Game", {Pen(InputType::MouseDown, 100, 90), Pen(InputType::MouseUp, 100, 90)}, 1, 2, 0},
        {"lifted outside", {Pen(InputType::MouseDown, 100, 90), Pen(InputType::MouseUp, 5, 230)}, 0, 0, 0},
        {"Quit soft key", {{kDown, VK_F1}, {kUp, VK_F1}}, 0, 5, 0},
        {"Back", {{kDown, VK_ESCAPE}, {kUp, VK_ESCAPE}}, 0, 0, 0},
    };
    for (const auto& c : cases) {
        const size_t opened = backend.OpenedDocuments().size();
        CGameMenuDlg dlg;
        Steps steps;
        for (const InputEvent& e : c.input) steps.push_back([&, e] { backend.Script(e); });
        EXPECT_EQ(Run(dlg, steps), c.result) << c.name;
        EXPECT_EQ(dlg.m_nSel, c.sel) << c.name;
        EXPECT_EQ(backend.OpenedDocuments().size() - opened, c.pages) << c.name;
    }
    EXPECT_EQ(backend.Minimized(), 1) << "Back minimises";
}

// A press lifted outside, and "Help" chosen by its digit, leave the entry as it was.
TEST_F(MenuTest, NoPressedPictureStaysOnScreenOnceThePressIsOver) {
    const RECT options{40, 119, 200, 151}, help{40, 156, 200, 188};
    const std::pair<RECT, std::vector<InputEvent>> cases[] = {
        {options, {Pen(InputType::MouseDown, 100, 130), Pen(InputType::MouseUp, 5, 230)}},
        {help, {{kDown, '4'}, {kUp, '4'}}},
    };
    for (const auto& [area, input] : cases) {
        CGameMenuDlg dlg;
        std::vector<uint16_t> before;
        Steps steps{[&] { before = Area(area); }};
        for (const InputEvent& e : input) steps.push_back([&, e] { backend.Script(e); });
        steps.push_back([&] { EXPECT_TRUE(Area(area) == before) << area.top; });
        Run(dlg, steps);
    }
}

TEST_F(MenuTest, RangesOutsideOneToSixGiveNoEntriesAndInputOnlyRedraws) {
    for (auto [first, last] : {std::pair{40u, 47u}, {44u, 40u}}) {
        CGameMenuDlg dlg;
        EXPECT_FALSE(dlg.SetupMenu(instance, L"x", first, last));
        EXPECT_EQ(Run(dlg, {[&] {
            for (UINT vk : {VK_UP, VK_DOWN, VK_RETURN, UINT{'1'}, VK_F1}) backend.ScriptKey(vk);
            backend.ScriptTap(100, 100);
        }}, instance, /*setUp=*/false), 0);
    }
}

TEST_F(MenuTest, PaintsBeforeItsLayoutAndWithAStringMissing) {
    struct EarlyPaint : CGameMenuDlg {
        int OnInit(HWND h, WPARAM wp, LPARAM lp) override {
            InvalidateRect(h, nullptr, FALSE);
            UpdateWindow(h);
            return CGameMenuDlg::OnInit(h, wp, lp);
        }
    } early;
    EXPECT_EQ(Run(early, {}), 0);

    std::vector<platform::StringResource> strings;
    for (auto s : TintaroStrings())
        if (s.id != 41) strings.push_back(s);
    HINSTANCE gap = platform::RegisterModule({strings, TintaroDialogs(), TintaroSoftKeyBars()});
    auto edge = [&](int top) { return Area({46, top + 4, 56, top + 28}); };
    EXPECT_EQ(Run(menu, {[&] {
        menu.m_nSel = 4;  // "Resume Game" and the blank entry unselected, drawn alike but for the label
        InvalidateRect(menu.m_hWnd, nullptr, FALSE);
    }, [&] {
        EXPECT_TRUE(edge(45) == edge(82)) << "the shared picture";
        EXPECT_TRUE(Area({40, 45, 200, 77}) != Area({40, 82, 200, 114})) << "only one has a label";
        backend.ScriptKey('2');
    }}, gap), 2);
}

// Every entry selected in turn at each screen size, the last entry above the soft-key bar.
// TINTARO_SHOTS_DIR gets each screen as a PNG.
TEST_F(MenuTest, EveryScreenSizeShowsEveryEntryBetweenTheBars) {
    for (auto [w, h] : {std::pair{240, 320}, {176, 220}, {320, 240}, {480, 640}}) {
        platform::ResetAll();
        platform::SetBackend(&backend);
        instance = platform::RegisterModule(TintaroResources());
        ASSERT_TRUE(platform::SelectDeviceProfile(w, h));
        CGameMenuDlg dlg;
        Steps steps;
        for (int i = 1; i <= 5; ++i) {
            steps.push_back([&, i] {
                const RECT area = platform::FullScreenArea();
                EXPECT_LE(dlg.InflatedRect(4).bottom, area.bottom - area.top) << w;
                if (const char* dir = std::getenv("TINTARO_SHOTS_DIR"))
                    backend.DumpLastFrame(std::string(dir) + "/menu-" + std::to_string(w) + "x" + std::to_string(h) +
                                          "-" + std::to_string(i) + ".png");
                backend.ScriptKey(VK_DOWN);
            });
        }
        EXPECT_EQ(Run(dlg, steps), 0);
    }
}

}  // namespace
