#include <doctest/doctest.h>

#include "GalleryFixture.h"
#include "GalleryResource.h"
#include "TRMenu.h"

namespace {

constexpr int kItemWidth = 120, kItemHeight = 24;

DRAWITEMSTRUCT MenuItem(const TRMenu& menu, std::size_t position, UINT id, UINT state, HDC dc) {
    DRAWITEMSTRUCT item{};
    item.CtlType = ODT_MENU;
    item.itemID = id;
    item.itemAction = ODA_DRAWENTIRE;
    item.itemState = state;
    item.hwndItem = reinterpret_cast<HWND>(menu.GetSafeHmenu());
    item.hDC = dc;
    item.rcItem = RECT{0, 0, kItemWidth, kItemHeight};
    item.itemData = reinterpret_cast<ULONG_PTR>(menu.ItemAt(position));
    return item;
}

COLORREF Lightened(int systemColour, double factor) {
    return TRMenu::BlendTowardWhite(GetSysColor(systemColour), factor);
}

OSVERSIONINFOA Version(DWORD platform, DWORD major, DWORD minor) {
    OSVERSIONINFOA info{};
    info.dwOSVersionInfoSize = sizeof(info);
    info.dwPlatformId = platform;
    info.dwMajorVersion = major;
    info.dwMinorVersion = minor;
    return info;
}

}  // namespace

TEST_SUITE("image menu") {
    TEST_CASE("Windows versions are classified") {
        struct Case { const char* name; DWORD getVersion; DWORD platform, major, minor; int code; };
        const Case cases[] = {
            {"Win32s", 0x80000003, VER_PLATFORM_WIN32s, 3, 10, 0},
            {"Windows 95", 0xC0000004, VER_PLATFORM_WIN32_WINDOWS, 4, 0, 2},
            {"Windows 98", 0xC0000A04, VER_PLATFORM_WIN32_WINDOWS, 4, 10, 3},
            {"Windows Me", 0xC0005A04, VER_PLATFORM_WIN32_WINDOWS, 4, 90, 4},
            {"NT 4", 0x05650004, VER_PLATFORM_WIN32_NT, 4, 0, 5},
            {"Windows 2000", 0x08930005, VER_PLATFORM_WIN32_NT, 5, 0, 6},
            {"Windows XP", 0x0A280105, VER_PLATFORM_WIN32_NT, 5, 1, 7},
            {"Server 2003", 0x0ECE0205, VER_PLATFORM_WIN32_NT, 5, 2, 1},
            {"Windows 7", 0x1DB10106, VER_PLATFORM_WIN32_NT, 6, 1, 1},
        };
        for (const Case& c : cases) {
            CAPTURE(c.name);
            const OSVERSIONINFOA info = Version(c.platform, c.major, c.minor);
            CHECK(TRMenu::ClassifyWindowsVersion(c.getVersion, &info) == c.code);
        }
        CHECK(TRMenu::ClassifyWindowsVersion(0xC0000004, nullptr) == 2);
        CHECK(TRMenu::ClassifyWindowsVersion(0x0A280105, nullptr) == 1);
    }

    TEST_CASE("blending toward white lifts every channel by the factor") {
        CHECK(TRMenu::BlendTowardWhite(RGB(0, 100, 255), 0.5) == RGB(127, 177, 255));
        CHECK(TRMenu::BlendTowardWhite(RGB(10, 20, 30), 1.0) == RGB(255, 255, 255));
        CHECK(TRMenu::BlendTowardWhite(RGB(10, 20, 30), 0.0) == RGB(10, 20, 30));
        CHECK(TRMenu::BlendTowardWhite(RGB(10, 20, 30), 1.5) == RGB(10, 20, 30));
        CHECK(TRMenu::BlendTowardWhite(RGB(10, 20, 30), -0.2) == RGB(10, 20, 30));
    }

    TEST_CASE("palette sizes come from the header") {
        BITMAPINFOHEADER header{};
        struct Case { WORD bits; DWORD used; int colours; };
        const Case cases[] = {{1, 0, 2}, {4, 0, 16}, {8, 0, 256}, {8, 12, 12}, {24, 0, 0}};
        for (const Case& c : cases) {
            header.biBitCount = c.bits;
            header.biClrUsed = c.used;
            CHECK(TRMenu::CountDibColors(header) == c.colours);
        }
    }

    TEST_CASE("a menu resource becomes an owner-drawn tree with aligned accelerators") {
        TRMenu menu;
        REQUIRE(menu.LoadMenu(IDR_DROPDOWN));
        REQUIRE(menu.ItemCount() == 1);
        HMENU popup = GetSubMenu(menu.GetSafeHmenu(), 0);
        REQUIRE(popup);
        CHECK(TRMenu::IsOwnSubmenu(popup));
        CHECK(GetMenuItemCount(popup) == 4);
        int position = -1;
        TRMenu* owner = menu.FindCommandOwner(ID_DROPDOWN_CLOSE, position);
        REQUIRE(owner);
        CHECK(position == 3);
        CHECK(owner->GetItemText(ID_DROPDOWN_SAVE, MF_BYCOMMAND) == L"&Save\tCtrl+S");
        CHECK(menu.GetItemText(ID_DROPDOWN_OPEN, MF_BYCOMMAND) == L"&Open\tCtrl+O");
        MENUITEMINFOW info{};
        info.cbSize = sizeof(info);
        info.fMask = MIIM_FTYPE;
        REQUIRE(GetMenuItemInfoW(popup, 2, TRUE, &info));
        CHECK((info.fType & MFT_SEPARATOR) != 0);
        CHECK((info.fType & MFT_OWNERDRAW) != 0);
        menu.DestroyMenu();
        CHECK_FALSE(TRMenu::IsOwnSubmenu(popup));
    }

    TEST_CASE("mnemonics are found in the item texts, without regard to case") {
        TRMenu menu;
        REQUIRE(menu.LoadMenu(IDR_DROPDOWN));
        HMENU popup = GetSubMenu(menu.GetSafeHmenu(), 0);
        CHECK(TRMenu::FindMnemonicItem('s', MF_POPUP, popup) == MAKELRESULT(1, MNC_EXECUTE));
        CHECK(TRMenu::FindMnemonicItem('C', MF_POPUP, popup) == MAKELRESULT(3, MNC_EXECUTE));
        CHECK(TRMenu::FindMnemonicItem('x', MF_POPUP, popup) == 0);
        CHECK(TRMenu::FindMnemonicItem('s', 0, popup) == 0);
        CHECK(TRMenu::FindMnemonicItem('s', MF_POPUP, CreatePopupMenu()) == 0);
    }

    TEST_CASE("an item added behind the menu's back is picked up before the search") {
        TRMenu menu;
        REQUIRE(menu.CreatePopupMenu());
        REQUIRE(menu.AppendOwnerDrawItem(L"&First", 0, 10));
        AppendMenuW(menu.GetSafeHmenu(), MF_STRING, 11, L"Se&cond");
        CHECK(TRMenu::FindMnemonicItem('c', MF_POPUP, menu.GetSafeHmenu()) == MAKELRESULT(1, MNC_EXECUTE));
        CHECK(menu.ItemCount() == 2);
    }

    TEST_CASE("items are measured with the menu font and the image size") {
        TRMenu menu;
        REQUIRE(menu.CreatePopupMenu());
        REQUIRE(menu.AppendOwnerDrawItem(L"Open", 0, 21, IDB_MENU_OPEN));
        REQUIRE(menu.AppendOwnerDrawItem(nullptr, 0, 0));
        MEASUREITEMSTRUCT item{};
        item.CtlType = ODT_MENU;
        item.itemData = reinterpret_cast<ULONG_PTR>(menu.ItemAt(0));
        menu.MeasureItem(&item);
        CHECK(item.itemHeight == static_cast<UINT>(std::max(GetSystemMetrics(SM_CYMENU), 15 + 4)));
        CHECK(item.itemWidth > 2u * 16u);
        MEASUREITEMSTRUCT separator{};
        separator.itemData = reinterpret_cast<ULONG_PTR>(menu.ItemAt(1));
        menu.MeasureItem(&separator);
        CHECK(separator.itemWidth == 0u);
        CHECK(separator.itemHeight == static_cast<UINT>(std::max(GetSystemMetrics(SM_CYMENU) / 2, (15 + 4) / 2)));
        CHECK(menu.ItemAt(0)->globalImageOffset >= 0);
        CHECK(TRMenu::FindGlobalImage(21) == menu.ItemAt(0)->globalImageOffset);
    }

    // The save image: navy columns 2-3 and 12-13 on rows 1-13, on the face colour.
    // In the flat look it sits at (4, 5) of a 24-pixel item (band 16 + 7).
    TEST_CASE("the flat look fades a resting image and lifts a selected one over its shadow") {
        TRMenu menu;
        menu.SetDrawMode(1);
        REQUIRE(menu.CreatePopupMenu());
        REQUIRE(menu.AppendOwnerDrawItem(L"Save", 0, 31, IDB_MENU_SAVE));
        const bool xp = TRMenu::UsesXpLook();
        const COLORREF navy = RGB(0, 0, 128);
        const COLORREF band = xp ? GetSysColor(COLOR_BTNFACE) : Lightened(COLOR_BTNFACE, 0.25);
        const COLORREF shadow = xp ? GetSysColor(COLOR_BTNSHADOW) : Lightened(COLOR_BTNSHADOW, 0.49);
        MemoryCanvas canvas(kItemWidth, kItemHeight);

        DRAWITEMSTRUCT resting = MenuItem(menu, 0, 31, 0, canvas.dc());
        menu.DrawItem(&resting);
        CHECK(canvas.At(4 + 2, 5 + 7) == TRMenu::BlendTowardWhite(navy, 0.3));
        CHECK(canvas.At(4 + 14, 5 + 14) == band);

        DRAWITEMSTRUCT selected = MenuItem(menu, 0, 31, ODS_SELECTED, canvas.dc());
        menu.DrawItem(&selected);
        CHECK(canvas.At(3 + 2, 4 + 7) == navy);            // the image, one pixel up and left
        CHECK(canvas.At(5 + 13, 6 + 13) == shadow);        // its shadow's last corner, one down and right
        CHECK(canvas.At(kItemWidth - 3, 2) == Lightened(COLOR_HIGHLIGHT, xp ? 0.7 : 0.85));

        DRAWITEMSTRUCT disabled = MenuItem(menu, 0, 31, ODS_SELECTED | ODS_GRAYED, canvas.dc());
        menu.DrawItem(&disabled);
        CHECK(canvas.At(4 + 2, 5 + 7) == GetSysColor(COLOR_GRAYTEXT));
        CHECK(canvas.At(5 + 13, 6 + 13) == GetSysColor(COLOR_BTNHIGHLIGHT));  // embossed, not lifted
    }

    TEST_CASE("a checked item without image shows the tick, or the dot when it carries a check-mark bitmap") {
        HBITMAP checkBitmap = CreateBitmap(13, 13, 1, 1, nullptr);
        struct Case { int drawMode; bool carriesBitmap; POINT tick; POINT dot; };
        // The tick's box: 16 x 16 centred in the band (flat), 20 x 19 at the
        // left (classic); the dot sits at (5, 4) in both, the classic tick at (4, 4).
        const Case cases[] = {
            {1, false, {8, 8}, {8, 8}}, {1, true, {8, 8}, {8, 8}},
            {0, false, {4, 6}, {5, 6}}, {0, true, {4, 6}, {5, 6}},
        };
        for (const Case& c : cases) {
            CAPTURE(c.drawMode);
            CAPTURE(c.carriesBitmap);
            TRMenu menu;
            menu.SetDrawMode(c.drawMode);
            REQUIRE(menu.CreatePopupMenu());
            REQUIRE(menu.AppendOwnerDrawItem(L"Pressure", 0, 41));
            if (c.carriesBitmap) SetMenuItemBitmaps(menu.GetSafeHmenu(), 41, MF_BYCOMMAND, nullptr, checkBitmap);
            MemoryCanvas canvas(kItemWidth, kItemHeight);
            DRAWITEMSTRUCT item = MenuItem(menu, 0, 41, ODS_CHECKED, canvas.dc());
            menu.DrawItem(&item);
            const COLORREF ink = GetSysColor(COLOR_MENUTEXT);
            // The dot fills its second row from the left; the tick's last column starts at its top.
            CHECK((canvas.At(c.dot.x, c.dot.y + 1) == ink) == c.carriesBitmap);
            CHECK((canvas.At(c.tick.x + 6, c.tick.y) == ink) == !c.carriesBitmap);
        }
        DeleteObject(checkBitmap);
    }

    TEST_CASE("check images replace the drawn mark, one for selected and one for resting items") {
        HIMAGELIST list = ImageList_Create(16, 15, ILC_COLOR24, 2, 0);
        MemoryCanvas solid(16, 15);
        for (COLORREF colour : {RGB(200, 30, 30), RGB(30, 200, 30)}) {
            HBITMAP bitmap = CreateCompatibleBitmap(solid.dc(), 16, 15);
            HGDIOBJ previous = SelectObject(solid.dc(), bitmap);
            CDC(solid.dc()).FillSolidRect(0, 0, 16, 15, colour);
            SelectObject(solid.dc(), previous);
            ImageList_Add(list, bitmap, nullptr);
            DeleteObject(bitmap);
        }
        TRMenu menu;
        menu.SetDrawMode(1);
        menu.UseCheckImages(list, 0, 1);
        REQUIRE(menu.CreatePopupMenu());
        REQUIRE(menu.AppendOwnerDrawItem(L"Tilt", 0, 42));
        MemoryCanvas canvas(kItemWidth, kItemHeight);
        DRAWITEMSTRUCT resting = MenuItem(menu, 0, 42, ODS_CHECKED, canvas.dc());
        menu.DrawItem(&resting);
        CHECK(canvas.At(11, 12) == RGB(30, 200, 30));
        DRAWITEMSTRUCT selected = MenuItem(menu, 0, 42, ODS_CHECKED | ODS_SELECTED, canvas.dc());
        menu.DrawItem(&selected);
        CHECK(canvas.At(11, 12) == RGB(200, 30, 30));
    }
}
