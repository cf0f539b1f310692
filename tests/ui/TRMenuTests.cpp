#include <doctest/doctest.h>

#include "GalleryResource.h"
#include "TRMenu.h"

namespace {

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
}
