#include <doctest/doctest.h>

#include "GalleryFixture.h"
#include "GalleryResource.h"

namespace {

// The in/out icon pairs are small, for the small buttons that carry them.
constexpr int kPairIcon = 16;

CRect ClientOf(HWND window) {
    CRect rect;
    GetClientRect(window, &rect);
    return rect;
}

void HoverOver(CButtonKX& button) {
    button.SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
}

}  // namespace

TEST_SUITE("skinned button") {
    TEST_CASE_FIXTURE(GalleryFixture, "subclassing turns the buttons owner-drawn and keeps their kind") {
        REQUIRE(created);
        for (HWND button : {gallery.m_pen.GetSafeHwnd(), gallery.m_default.GetSafeHwnd(),
                            gallery.m_checkOn.GetSafeHwnd()}) {
            CHECK((GetWindowLongA(button, GWL_STYLE) & BS_TYPEMASK) == BS_OWNERDRAW);
        }
        CHECK(gallery.m_default.IsDefaultButton());
        CHECK_FALSE(gallery.m_pen.IsDefaultButton());
        CHECK(gallery.m_checkOn.IsCheckBox());
        CHECK_FALSE(gallery.m_pen.IsCheckBox());
        CHECK((gallery.m_default.SendMessage(WM_GETDLGCODE) & DLGC_DEFPUSHBUTTON) != 0);
        CHECK((gallery.m_pen.SendMessage(WM_GETDLGCODE) & DLGC_UNDEFPUSHBUTTON) != 0);
    }

    TEST_CASE_FIXTURE(GalleryFixture, "the check state answers BM_SETCHECK and BM_GETCHECK") {
        REQUIRE(created);
        CButtonKX& box = gallery.m_checkOff;
        struct Case { WPARAM set; LRESULT got; };
        const Case cases[] = {{BST_CHECKED, 1}, {BST_UNCHECKED, 0}, {BST_INDETERMINATE, 1}, {7, 0}};
        for (const Case& c : cases) {
            CAPTURE(c.set);
            CHECK(box.SendMessage(BM_SETCHECK, c.set) == 0);
            CHECK(box.SendMessage(BM_GETCHECK) == c.got);
        }
        CHECK(gallery.m_checkOn.SendMessage(BM_GETCHECK) == 1);
        gallery.m_pen.SendMessage(BM_SETCHECK, BST_CHECKED);
        CHECK(gallery.m_pen.SendMessage(BM_GETCHECK) == 0);
        CHECK(gallery.m_pen.SetCheck(1, true) == 0);
        CHECK(gallery.m_pen.GetCheck() == 0);
    }

    TEST_CASE_FIXTURE(GalleryFixture, "a click toggles a check box and still reaches the dialog") {
        REQUIRE(created);
        gallery.m_checkOn.SendMessage(BM_CLICK);
        PumpPending();
        CHECK(gallery.m_checkOn.GetCheck() == 0);
        CHECK(gallery.m_clicked == std::vector<UINT>{IDC_CHECK_ON});
        gallery.m_pen.SendMessage(BM_CLICK);
        PumpPending();
        CHECK(gallery.m_clicked == std::vector<UINT>{IDC_CHECK_ON, IDC_PEN});
        CHECK(GetFocus() == gallery.m_pen.GetSafeHwnd());
    }

    TEST_CASE_FIXTURE(GalleryFixture, "a double click counts as a second click") {
        REQUIRE(created);
        MSG message{gallery.m_pen, WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(5, 5), 0, {0, 0}};
        CHECK_FALSE(gallery.m_pen.PreTranslateMessage(&message));
        CHECK(message.message == WM_LBUTTONDOWN);
    }

    TEST_CASE_FIXTURE(GalleryFixture, "hover raises a flat button and leaving lowers it") {
        REQUIRE(created);
        CHECK_FALSE(gallery.m_pen.IsHovering());
        HoverOver(gallery.m_pen);
        CHECK(gallery.m_pen.IsHovering());
        gallery.m_pen.SendMessage(WM_MOUSELEAVE);
        CHECK_FALSE(gallery.m_pen.IsHovering());
        HoverOver(gallery.m_pen);
        gallery.m_pen.SendMessage(WM_CANCELMODE);
        CHECK_FALSE(gallery.m_pen.IsHovering());
    }

    TEST_CASE_FIXTURE(GalleryFixture, "a flat button at rest fills with the face colour and draws no edge") {
        REQUIRE(created);
        const CRect client = ClientOf(gallery.m_pen);
        MemoryCanvas canvas(client.Width(), client.Height());
        DRAWITEMSTRUCT item = canvas.Item(gallery.m_pen, 0);
        gallery.m_pen.DrawItem(&item);
        const COLORREF face = GetSysColor(COLOR_BTNFACE);
        CHECK(canvas.At(0, 0) == face);
        CHECK(canvas.At(canvas.Width() - 1, canvas.Height() - 1) == face);
    }

    TEST_CASE_FIXTURE(GalleryFixture, "a hovered flat button is raised, a pressed one sunk") {
        REQUIRE(created);
        const CRect client = ClientOf(gallery.m_pen);
        const COLORREF light = GetSysColor(COLOR_BTNHIGHLIGHT), shadow = GetSysColor(COLOR_BTNSHADOW);
        HoverOver(gallery.m_pen);
        {
            MemoryCanvas canvas(client.Width(), client.Height());
            DRAWITEMSTRUCT item = canvas.Item(gallery.m_pen, 0);
            gallery.m_pen.DrawItem(&item);
            CHECK(canvas.At(0, 0) == light);
            CHECK(canvas.At(canvas.Width() - 1, canvas.Height() - 1) == shadow);
        }
        {
            MemoryCanvas canvas(client.Width(), client.Height());
            DRAWITEMSTRUCT item = canvas.Item(gallery.m_pen, ODS_SELECTED);
            gallery.m_pen.DrawItem(&item);
            CHECK(canvas.At(0, 0) == shadow);
            CHECK(canvas.At(canvas.Width() - 1, canvas.Height() - 1) == light);
        }
    }

    TEST_CASE_FIXTURE(GalleryFixture, "a checked box draws sunk and with its first icon") {
        REQUIRE(created);
        const CRect client = ClientOf(gallery.m_checkOn);
        MemoryCanvas canvas(client.Width(), client.Height());
        DRAWITEMSTRUCT item = canvas.Item(gallery.m_checkOn, 0);
        gallery.m_checkOn.DrawItem(&item);
        CHECK(canvas.At(0, 0) == GetSysColor(COLOR_BTNSHADOW));
        // The icon (an in/out pair, 16 pixels) sits 3 pixels in, centred
        // vertically; its tile is teal when it is the first icon and slate for
        // the second.
        const int top = (client.Height() - kPairIcon) / 2;
        CHECK(canvas.At(3 + 3, top + 3) == RGB(47, 164, 169));
        gallery.m_checkOn.SetCheck(0, false);
        DRAWITEMSTRUCT unchecked = canvas.Item(gallery.m_checkOn, 0);
        gallery.m_checkOn.DrawItem(&unchecked);
        CHECK(canvas.At(3 + 3, top + 3) == RGB(92, 107, 137));
    }

    TEST_CASE_FIXTURE(GalleryFixture, "a push button shows its first icon while hovered or pressed, its second at rest") {
        REQUIRE(created);
        CButtonKX& button = gallery.m_clean;
        const CRect client = ClientOf(button);
        const int top = (client.Height() - kPairIcon) / 2;
        const COLORREF first = RGB(47, 164, 169), second = RGB(92, 107, 137);  // the icons' tiles
        struct Case { const char* name; bool hover; UINT state; int shift; COLORREF tile; };
        const Case cases[] = {
            {"at rest", false, 0, 0, second},
            {"hovered", true, 0, 0, first},
            {"pressed", false, ODS_SELECTED, 1, first},  // moved by the pressed offset
        };
        for (const Case& c : cases) {
            CAPTURE(std::string(c.name));
            if (c.hover) HoverOver(button);
            MemoryCanvas canvas(client.Width(), client.Height());
            DRAWITEMSTRUCT item = canvas.Item(button, c.state);
            button.DrawItem(&item);
            CHECK(canvas.At(3 + 3 + c.shift, top + 3 + c.shift) == c.tile);
            button.SendMessage(WM_MOUSELEAVE);
        }
    }

    TEST_CASE_FIXTURE(GalleryFixture, "an icon that cannot be read frees the out icon handed with it") {
        REQUIRE(created);
        HICON out = static_cast<HICON>(LoadImageA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDI_CLEAN_OUT),
                                                  IMAGE_ICON, 0, 0, LR_DEFAULTCOLOR));
        REQUIRE(out);
        HICON unreadable = reinterpret_cast<HICON>(static_cast<INT_PTR>(0x1234));
        CHECK(gallery.m_clean.SetIcon(unreadable, out) == 1);
        CHECK(gallery.m_clean.OutIcon() == nullptr);
        ICONINFO info{};
        const bool stillAlive = GetIconInfo(out, &info) != FALSE;
        if (stillAlive) {
            DeleteObject(info.hbmMask);
            DeleteObject(info.hbmColor);
            DestroyIcon(out);
        }
        CHECK_FALSE(stillAlive);
    }

    TEST_CASE_FIXTURE(GalleryFixture, "a button without caption centres its icon both ways") {
        REQUIRE(created);
        const CRect client = ClientOf(gallery.m_iconOnly);
        MemoryCanvas canvas(client.Width(), client.Height());
        DRAWITEMSTRUCT item = canvas.Item(gallery.m_iconOnly, 0);
        gallery.m_iconOnly.DrawItem(&item);
        const int left = (client.Width() - 32) / 2, top = (client.Height() - 32) / 2;
        const COLORREF coral = RGB(233, 118, 91);
        CHECK(canvas.At(left + 16, top + 4) == coral);     // the tile above the cross
        CHECK(canvas.At(left + 4, top + 16) == coral);     // left of it
        CHECK(canvas.At(left - 2, top + 16) == GetSysColor(COLOR_BTNFACE));
    }

    TEST_CASE("image and caption rectangles follow the alignment") {
        const RECT item{0, 0, 100, 40};
        const SIZE margin{3, 3};
        struct Case { unsigned char alignment; bool caption; RECT image; RECT captionRect; };
        const Case cases[] = {
            {CButtonKX::kImageLeft, true, {3, 4, 100, 40}, {35, 0, 100, 40}},
            {CButtonKX::kImageLeft, false, {34, 4, 100, 40}, {0, 0, 100, 40}},
            {CButtonKX::kImageTop, true, {34, 3, 100, 40}, {0, 32, 100, 40}},
            {CButtonKX::kImageTop, false, {34, 4, 100, 40}, {0, 0, 100, 40}},
            {CButtonKX::kImageRight, true, {65, 4, 100, 40}, {3, 0, 65, 40}},
            {CButtonKX::kImageRight, false, {34, 0, 100, 40}, {0, 0, 100, 40}},
        };
        for (const Case& c : cases) {
            CAPTURE(static_cast<int>(c.alignment));
            CAPTURE(c.caption);
            RECT caption = item, image{};
            CButtonKX::PrepareImageRect(c.alignment, c.caption, item, caption, 32, 32, margin, image);
            CHECK(CRect(image) == CRect(c.image));
            CHECK(CRect(caption) == CRect(c.captionRect));
        }
    }

    TEST_CASE_FIXTURE(GalleryFixture, "a grey copy keeps black and turns colours to their luminance") {
        REQUIRE(created);
        HICON source = static_cast<HICON>(LoadImageA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDI_EXIT), IMAGE_ICON,
                                                     0, 0, LR_DEFAULTCOLOR));
        REQUIRE(source);
        HICON grey = CButtonKX::CreateGrayscaleIcon(source);
        REQUIRE(grey);
        MemoryCanvas canvas(32, 32);
        DrawIconEx(canvas.dc(), 0, 0, grey, 32, 32, 0, nullptr, DI_NORMAL);
        const BYTE g = static_cast<BYTE>(0.299 * 233 + 0.587 * 118 + 0.114 * 91);
        CHECK(canvas.At(16, 4) == RGB(g, g, g));
        DestroyIcon(grey);
        DestroyIcon(source);
        CHECK(CButtonKX::CreateGrayscaleIcon(nullptr) == nullptr);
        CHECK(gallery.m_grey.OutIcon() != nullptr);
    }

    TEST_CASE_FIXTURE(GalleryFixture, "settings report their results") {
        REQUIRE(created);
        CHECK(gallery.m_pen.SetPressedStyle(1, false) == 0);
        CHECK(gallery.m_pen.SetPressedStyle(2, false) == 6);
        CHECK(gallery.m_pen.SetURL(std::string(400, 'w').c_str()) == 0);
        CHECK(gallery.m_pen.SetIcon(reinterpret_cast<HICON>(static_cast<INT_PTR>(0x1234)), nullptr) == 1);
        CHECK(gallery.m_pen.InIconSize().cx == 0);
        CHECK(gallery.m_clean.InIconSize().cx == kPairIcon);
    }

    TEST_CASE_FIXTURE(GalleryFixture, "disabling the focused button hands the focus on") {
        REQUIRE(created);
        gallery.m_clean.SetFocus();
        gallery.m_clean.EnableWindow(false);
        CHECK(GetFocus() != gallery.m_clean.GetSafeHwnd());
        CHECK(GetFocus() != nullptr);
        gallery.m_pen.SetFocus();
        gallery.m_iconOnly.EnableWindow(false);
        CHECK(GetFocus() == gallery.m_pen.GetSafeHwnd());
    }
}
