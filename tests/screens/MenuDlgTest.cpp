// The menu dialog on the headless backend: layout, keys, stylus, soft key, Back, odd ranges.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

#include "gfx/Text.h"
#include "platform/Messages.h"
#include "platform/Resources.h"
#include "platform/Windowing.h"
#include "res/Resources.h"
#include "screens/GameMenuDlg.h"
#include "tests/support/PlatformFixture.h"

namespace {

using platform::InputEvent;
using Steps = std::vector<std::function<void()>>;
constexpr int kTop = 26;  // the client area starts below the status bar
constexpr auto kDown = platform::InputType::KeyDown, kUp = platform::InputType::KeyUp;
constexpr auto kPen = platform::InputType::MouseDown, kLift = platform::InputType::MouseUp;

class MenuTest : public PlatformTest {
protected:
    // Each step runs once all before it is handled and painted; a menu open after the last is closed (0).
    int Run(CQorMenuDlg& menu, Steps steps, UINT first = 40, UINT last = 44,
            HINSTANCE module = platform::RegisterModule(TintaroResources())) {
        menu.SetupMenu(module, L"Qor Tintaro 4.0", first, last);
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
    std::vector<uint16_t> Area(const RECT& rc) const {  // client coordinates
        std::vector<uint16_t> pixels;
        for (int y = rc.top; y < rc.bottom; ++y)
            for (int x = rc.left; x < rc.right; ++x) pixels.push_back(backend.FramePixel(x, y + kTop));
        return pixels;
    }

    CGameMenuDlg menu;
};

// The first row in which a red channel passes half: the white title over the dark top.
int FirstBrightRow(const std::function<COLORREF(int, int)>& pixel) {
    for (int i = 0; i < 240 * 40; ++i)
        if ((pixel(i % 240, i / 240) & 0xFF) > 0x80) return i / 240;
    return -1;
}

TEST_F(MenuTest, LaysOutThePhoneScreenFromItsMetrics) {
    EXPECT_EQ(Run(menu, {[&] {
        for (int i = 0; i < 5; ++i) EXPECT_EQ(menu.m_Entries[i].m_rc, (RECT{40, 45 + 37 * i, 200, 77 + 37 * i}));
        EXPECT_EQ(menu.m_Frame.m_rc, (RECT{36, 44, 205, 79})) << "drawn on the first entry";
        LOGFONTW entry{}, large{};
        GetObjectW(menu.m_hFontEntry, sizeof entry, &entry), GetObjectW(menu.m_hFontLarge, sizeof large, &large);
        EXPECT_EQ(entry.lfHeight * 100 + large.lfHeight, 1617);
        // The title's cell starts at row 13: the same text drawn at row 0 is the reference.
        HDC ref = CreateCompatibleDC(nullptr);
        SelectObject(ref, CreateCompatibleBitmap(ref, 240, 40));
        RECT box{0, 0, 240, 40};
        DrawTextEllipsis(ref, L"Qor Tintaro 4.0", &box, DT_CENTER, menu.m_hFontLarge, 0xFFFFFF, TRANSPARENT);
        EXPECT_EQ(FirstBrightRow([&](int x, int y) { return platform::Unpack565(backend.FramePixel(x, y + kTop)); }),
                  13 + FirstBrightRow([&](int x, int y) { return GetPixel(ref, x, y); }));
        // The selected label is in the entries' ink from the first paint on, never black.
        const std::vector<uint16_t> label = Area({60, 50, 180, 74});
        EXPECT_TRUE(std::ranges::count(label, platform::Pack565(0x5A320D)) > 0 && std::ranges::count(label, 0) == 0);
    }}), 0);
}

// Input and what it leaves: the selection, the result, an entry's picture as before the input (a
// cancelled press; "Help", which keeps the menu). Only '4' opens the help page and only Back minimises.
TEST_F(MenuTest, KeysActOnReleaseAndTheStylusOnTheEntryItWasPressedOn) {
    const InputEvent held{kDown, VK_DOWN, 0, 0, 0, true}, on{kPen, 0, 0, 100, 90 + kTop};
    const RECT none{}, options{40, 119, 200, 151}, help{40, 156, 200, 188};
    // The strings first..last give the entries; a range outside 1..6 entries gives none at all.
    const struct { const char* name; std::vector<InputEvent> input; int sel, result; RECT unchanged;
                   UINT first = 40, last = 44; } cases[] = {
        {"up wraps to Quit", {{kDown, VK_UP}, {kUp, VK_UP}}, 4, 0, none},
        {"down wraps back", {{kUp, VK_UP}, {kUp, VK_DOWN}}, 0, 0, none},
        {"held down moves once", {{kDown, VK_DOWN}, held, held, {kUp, VK_DOWN}}, 1, 0, none},
        {"4 opens help", {{kDown, '4'}, {kUp, '4'}}, 0, 0, help},
        {"6 and 0 do nothing", {{kDown, '6'}, {kUp, '6'}, {kDown, '0'}, {kUp, '0'}}, 0, 0, none},
        {"Enter on Options", {{kUp, VK_DOWN}, {kUp, VK_DOWN}, {kDown, VK_RETURN}, {kUp, VK_RETURN}}, 2, 3, none},
        {"a release alone", {{kUp, VK_DOWN}, {kUp, VK_RETURN}}, 1, 2, none},
        {"tap on New Game", {on, {kLift, 0, 0, 100, 90 + kTop}}, 1, 2, none},
        {"lifted outside", {{kPen, 0, 0, 100, 130 + kTop}, {kLift, 0, 0, 5, 230 + kTop}}, 0, 0, options},
        {"Quit soft key", {{kDown, VK_F1}, {kUp, VK_F1}}, 0, 5, none},
        {"Back", {{kDown, VK_ESCAPE}, {kUp, VK_ESCAPE}}, 0, 0, none},
        {"seven strings", {{kUp, VK_UP}, {kUp, VK_RETURN}, {kUp, '1'}, on}, 0, 0, none, 40, 47},
        {"a reversed range", {{kUp, VK_DOWN}, {kUp, VK_RETURN}, on}, 0, 0, none, 44, 40},
    };
    for (const auto& c : cases) {
        CGameMenuDlg dlg;
        std::vector<uint16_t> before;
        Steps steps{[&] { before = Area(c.unchanged); }};
        for (const InputEvent& e : c.input) steps.push_back([&, e] { backend.Script(e); });
        if (c.unchanged.right) steps.push_back([&] { EXPECT_TRUE(Area(c.unchanged) == before) << c.name; });
        EXPECT_EQ(Run(dlg, steps, c.first, c.last), c.result) << c.name;
        EXPECT_EQ(dlg.m_nSel, c.sel) << c.name;
    }
    EXPECT_EQ(std::make_pair(backend.Minimized(), backend.OpenedDocuments().size()), std::make_pair(1, size_t{1}));
}

TEST_F(MenuTest, PaintsBeforeItsLayoutAndWithAStringMissing) {
    menu.SetupMenu(nullptr, L"Qor Tintaro 4.0", 40, 44);
    EXPECT_EQ(menu.OnDraw(nullptr, GetDC(nullptr), RECT{0, 0, 240, 268}), 1) << "five entries, none laid out";

    platform::ModuleResources gap = TintaroResources();
    std::vector<platform::StringResource> strings(gap.strings.begin(), gap.strings.end());
    std::erase_if(strings, [](auto s) { return s.id == 41; });
    gap.strings = strings;
    EXPECT_EQ(Run(menu, {[&] { backend.ScriptKey(VK_UP); }, [&] {  // both unselected now
        EXPECT_TRUE(Area({46, 49, 56, 73}) == Area({46, 86, 56, 110})) << "the blank entry has the shared picture";
        EXPECT_TRUE(Area({40, 45, 200, 77}) != Area({40, 82, 200, 114})) << "but no label";
        backend.ScriptKey('2');
    }}, 40, 44, platform::RegisterModule(gap)), 2);
}

}  // namespace
