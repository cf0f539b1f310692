#include <doctest/doctest.h>

#include <string>
#include "GalleryFixture.h"

namespace {

struct ControlColours {
    HBRUSH brush;
    int mode;
    COLORREF background;
};

// The page's answer for one control, on a DC primed with an opaque marker colour.
ControlColours ColoursFor(GalleryDlg& gallery, UINT message, int id) {
    HDC dc = GetDC(gallery);
    SetBkMode(dc, OPAQUE);
    SetBkColor(dc, RGB(1, 1, 1));
    const LRESULT brush =
        gallery.SendMessage(message, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(gallery.GetDlgItem(id)));
    const ControlColours colours{reinterpret_cast<HBRUSH>(brush), GetBkMode(dc), GetBkColor(dc)};
    ReleaseDC(gallery, dc);
    return colours;
}

// Rows holding caption ink right of the button's icon.
int CaptionRows(CButtonKX& button, const std::string& caption) {
    button.SetWindowText(caption.c_str());
    MemoryCanvas canvas(240, 400);
    DRAWITEMSTRUCT item = canvas.Item(button, 0);
    button.DrawItem(&item);
    const COLORREF ink = GetSysColor(COLOR_BTNTEXT);
    int rows = 0;
    for (int y = 0; y < canvas.Height(); ++y) {
        for (int x = 40; x < canvas.Width(); ++x) {
            if (canvas.At(x, y) == ink) {
                ++rows;
                break;
            }
        }
    }
    return rows;
}

// Keeps what the drawing virtual is handed, as a derived skin would.
class CaptionProbe : public CButtonKX {
public:
    void DrawCaption(CDC* dc, const CaptionChar* text, RECT* item, RECT* caption, BOOL pressed,
                     BOOL disabled) override {
        drawn = text;
        CButtonKX::DrawCaption(dc, text, item, caption, pressed, disabled);
    }
    std::string drawn;
};

POINT ScreenPointOf(HWND window, CPoint client) {
    POINT point{client.x, client.y};
    ClientToScreen(window, &point);
    return point;
}

}  // namespace

TEST_SUITE("second brand controls") {
    TEST_CASE_FIXTURE(GalleryFixture, "buttons and labels write straight onto the page, without grey text cells") {
        REQUIRE(created);
        struct Case { const char* name; UINT message; int id; };
        const Case cases[] = {{"button", WM_CTLCOLORBTN, IDC_PEN}, {"label", WM_CTLCOLORSTATIC, IDC_PLAIN_LABEL}};
        for (const Case& c : cases) {
            CAPTURE(std::string(c.name));
            const ControlColours colours = ColoursFor(gallery, c.message, c.id);
            CHECK(colours.brush == static_cast<HBRUSH>(GetStockObject(NULL_BRUSH)));
            CHECK(colours.mode == TRANSPARENT);
            CHECK(colours.background == RGB(1, 1, 1));
        }
    }

    TEST_CASE_FIXTURE(GalleryFixture, "a help link and an edit box keep the system colours") {
        REQUIRE(created);
        const ControlColours help = ColoursFor(gallery, WM_CTLCOLORSTATIC, IDC_HELP_LINK);
        CHECK(help.brush != static_cast<HBRUSH>(GetStockObject(NULL_BRUSH)));
        CHECK(help.mode == OPAQUE);
        CHECK(help.background == GetSysColor(COLOR_BTNFACE));
        const ControlColours edit = ColoursFor(gallery, WM_CTLCOLOREDIT, IDC_EDIT);
        CHECK(edit.background == GetSysColor(COLOR_WINDOW));
    }

    TEST_CASE_FIXTURE(GalleryFixture, "a caption longer than 260 characters is drawn in full") {
        REQUIRE(created);
        std::string caption;
        while (caption.size() < 330) caption += "word ";
        const int cut = CaptionRows(gallery.m_pen, caption.substr(0, 260));
        const int full = CaptionRows(gallery.m_pen, caption);
        CHECK(cut > 0);
        CHECK(full > cut);
    }

    TEST_CASE_FIXTURE(GalleryFixture, "the balloon writes in 12-pixel Arial of the ANSI character set") {
        REQUIRE(created);
        LOGFONTA font{};
        REQUIRE(GetObjectA(gallery.m_toolTip.Font(), sizeof(font), &font) == sizeof(font));
        CHECK(std::string(font.lfFaceName) == "Arial");
        CHECK(font.lfCharSet == ANSI_CHARSET);
        CHECK(font.lfHeight == 12);
    }

    TEST_CASE_FIXTURE(GalleryFixture, "a derived button draws the long ANSI caption it is handed") {
        REQUIRE(created);
        HWND window = CreateWindowA("BUTTON", "", WS_CHILD | BS_OWNERDRAW, 0, 0, 240, 120, gallery, nullptr,
                                    GetModuleHandleA(nullptr), nullptr);
        REQUIRE(window);
        CaptionProbe probe;
        REQUIRE(probe.SubclassWindow(window));
        std::string caption;
        while (caption.size() < 300) caption += "caption ";
        probe.SetWindowText(caption.c_str());
        MemoryCanvas canvas(240, 120);
        DRAWITEMSTRUCT item = canvas.Item(probe, 0);
        probe.DrawItem(&item);
        CHECK(probe.drawn == caption);
        probe.UnsubclassWindow();
        DestroyWindow(window);
    }

    TEST_CASE_FIXTURE(GalleryFixture, "a release elsewhere ends the knob's drag and sets the value under the pointer") {
        REQUIRE(created);
        CKnobControlKX& knob = gallery.m_knob;
        const CPoint centre = knob.Centre();
        const CPoint left(knob.Square().x + 2, centre.y);
        knob.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(centre.x, centre.y));
        REQUIRE(knob.IsDragging());
        const POINT onDisc = ScreenPointOf(knob, left);
        SetCursorPos(onDisc.x, onDisc.y);
        knob.EndDragAtCursor();
        CHECK_FALSE(knob.IsDragging());
        CHECK(knob.GetPos() == knob.PointToValue(left.x, left.y));
        REQUIRE(gallery.m_knobPositions.size() == 1);
        CHECK(gallery.m_knobPositions.back() == knob.GetPos());

        // Outside the knob: nothing moves and nobody is told.
        const POINT away = ScreenPointOf(knob, CPoint(-40, -40));
        SetCursorPos(away.x, away.y);
        knob.EndDragAtCursor();
        CHECK(knob.GetPos() == knob.PointToValue(left.x, left.y));
        CHECK(gallery.m_knobPositions.size() == 1);
    }
}
