// The class layer around the pages: modal runs from an owned page, command
// ranges, menu items drawn by their menu, the per-id and system-menu helpers,
// and the drawing calls.
#include <doctest/doctest.h>

#include <windows.h>
#include <string>
#include <vector>
#include "CDC.h"
#include "CDialog.h"
#include "CMenu.h"
#include "DialogTemplate.h"
#include "GdiObjects.h"
#include "UiTestSupport.h"

namespace {

constexpr WORD kFirstLabel = 200;
constexpr WORD kLastLabel = 215;
constexpr WORD kCheck = 230;

DialogTemplate LabelsTemplate() {
    DialogTemplate layout(WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_VISIBLE, {0, 0, 200, 120}, L"Labels");
    for (WORD id = kFirstLabel; id <= kLastLabel; ++id) {
        const short x = static_cast<short>(5 + (id - kFirstLabel) % 4 * 45);
        const short y = static_cast<short>(5 + (id - kFirstLabel) / 4 * 15);
        layout.AddControl(L"BUTTON", L"key", id, BS_PUSHBUTTON | WS_VISIBLE, {x, y, static_cast<short>(x + 40),
                                                                             static_cast<short>(y + 12)});
    }
    layout.AddControl(L"BUTTON", L"check", kCheck, BS_AUTOCHECKBOX | WS_VISIBLE, {5, 70, 80, 82});
    return layout;
}

// A dialog whose sixteen labels share one handler, and one label with its own.
class LabelsDialog : private DesktopTurn, public CDialog {
public:
    explicit LabelsDialog(CWnd* parent = nullptr) : CDialog(0, parent) { SetTemplate(m_layout.Get()); }

    std::vector<UINT> rangeIds;
    std::vector<UINT> rangeMessages;
    int ownHandlerCalls = 0;
    int drawItemCalls = 0;
    // Set for the modal run: what the run saw of these windows' state.
    std::vector<HWND> watched;
    std::vector<bool> enabledDuringRun;

    BOOL OnInitDialog() override {
        CDialog::OnInitDialog();
        for (HWND window : watched) enabledDuringRun.push_back(::IsWindowEnabled(window) != FALSE);
        if (IsModal()) EndDialog(IDOK);
        return TRUE;
    }

    static const MessageMap* GetThisMessageMap() {
        static const MapEntry entries[] = {
            OnControl<BN_CLICKED, kFirstLabel + 3, &LabelsDialog::OnFourthLabel>(),
            OnControlRange<BN_CLICKED, kFirstLabel, kLastLabel, &LabelsDialog::OnLabel>(),
            OnMessage<WM_DRAWITEM, &LabelsDialog::OnDrawItem>(),
        };
        static const MessageMap map(CDialog::GetThisMessageMap(), entries);
        return &map;
    }
    const MessageMap* GetMessageMap() const override { return GetThisMessageMap(); }

private:
    void OnLabel(UINT id) {
        rangeIds.push_back(id);
        rangeMessages.push_back(GetCurrentMessage()->message);
    }
    void OnFourthLabel() { ++ownHandlerCalls; }
    void OnDrawItem(int, DRAWITEMSTRUCT*) { ++drawItemCalls; }

    DialogTemplate m_layout = LabelsTemplate();
};

class RecordingMenu : public CMenu {
public:
    int drawn = 0;
    void DrawItem(DRAWITEMSTRUCT*) override { ++drawn; }
};

void Click(CWnd& dialog, UINT id) {
    dialog.SendMessage(WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(dialog.GetDlgItem(id)));
}

COLORREF PixelOf(HDC dc, int x, int y) { return GetPixel(dc, x, y); }

}  // namespace

TEST_SUITE("class layer") {
    TEST_CASE("a modal dialog run from an owned page holds the page and the main window, and gives both back") {
        LabelsDialog main;
        REQUIRE(main.Create());
        LabelsDialog page(&main);
        REQUIRE(page.Create(0, &main));
        REQUIRE(GetWindow(page, GW_OWNER) == main.GetSafeHwnd());

        LabelsDialog modal(&page);
        modal.watched = {main.GetSafeHwnd(), page.GetSafeHwnd()};
        CHECK(modal.DoModal() == IDOK);
        CHECK(modal.enabledDuringRun == std::vector<bool>{false, false});
        CHECK(IsWindowEnabled(main));
        CHECK(IsWindowEnabled(page));

        // A main window that was disabled already stays so.
        EnableWindow(main, FALSE);
        modal.enabledDuringRun.clear();
        CHECK(modal.DoModal() == IDOK);
        CHECK_FALSE(IsWindowEnabled(main));
        CHECK(IsWindowEnabled(page));
    }

    TEST_CASE("a command range hands its handler the sender's id; a single-id entry still wins") {
        LabelsDialog dialog;
        REQUIRE(dialog.Create());
        Click(dialog, kFirstLabel);
        Click(dialog, kLastLabel);
        Click(dialog, kFirstLabel + 3);
        Click(dialog, kLastLabel + 1);  // outside the range: nobody
        CHECK(dialog.rangeIds == std::vector<UINT>{kFirstLabel, kLastLabel});
        CHECK(dialog.rangeMessages == std::vector<UINT>{WM_COMMAND, WM_COMMAND});
        CHECK(dialog.ownHandlerCalls == 1);
    }

    TEST_CASE("menu items are drawn by their menu even where the window answers WM_DRAWITEM") {
        LabelsDialog dialog;
        REQUIRE(dialog.Create());
        RecordingMenu menu;
        REQUIRE(menu.CreatePopupMenu());
        REQUIRE(menu.AppendOwnerDrawn(0, 77, nullptr));

        DRAWITEMSTRUCT item{};
        item.CtlType = ODT_MENU;
        item.itemID = 77;
        item.hwndItem = reinterpret_cast<HWND>(menu.GetSafeHmenu());
        dialog.SendMessage(WM_DRAWITEM, 0, reinterpret_cast<LPARAM>(&item));
        CHECK(menu.drawn == 1);
        CHECK(dialog.drawItemCalls == 0);

        item.CtlType = ODT_BUTTON;
        item.CtlID = kCheck;
        item.hwndItem = dialog.GetDlgItem(kCheck);
        dialog.SendMessage(WM_DRAWITEM, kCheck, reinterpret_cast<LPARAM>(&item));
        CHECK(menu.drawn == 1);
        CHECK(dialog.drawItemCalls == 1);
    }

    TEST_CASE("per-id helpers, the borrowed system menu and icons") {
        LabelsDialog dialog;
        REQUIRE(dialog.Create());
        dialog.SetDlgItemText(kFirstLabel, "Ctrl+C");
        CHECK(dialog.GetDlgItemText(kFirstLabel) == "Ctrl+C");
        CHECK(dialog.GetDlgItemText(999).empty());
        dialog.CheckDlgButton(kCheck, BST_CHECKED);
        CHECK(dialog.IsDlgButtonChecked(kCheck) == BST_CHECKED);

        HMENU system = dialog.GetSystemMenu();
        REQUIRE(system != nullptr);
        REQUIRE(AppendMenuA(system, MF_STRING, 16, "Language"));
        CHECK(dialog.GetSystemMenu() == system);
        CHECK(IsMenu(system));
        CHECK(GetMenuState(system, 16, MF_BYCOMMAND) != static_cast<UINT>(-1));

        HICON icon = LoadIconA(nullptr, MAKEINTRESOURCEA(32512));  // IDI_APPLICATION
        dialog.SetIcon(icon, true);
        CHECK(reinterpret_cast<HICON>(dialog.SendMessage(WM_GETICON, ICON_BIG)) == icon);

        CHECK(dialog.SetCapture() == nullptr);
        CHECK(CWnd::GetCapture() == dialog.GetSafeHwnd());
        CHECK(CWnd::ReleaseCapture());
        CHECK(CWnd::GetCapture() == nullptr);
    }

    TEST_CASE("drawing calls: stretched copies, outlined shapes and clipping") {
        CMemoryDC dc(nullptr);
        CBitmap picture;
        REQUIRE(picture.CreateCompatibleBitmap(CWindowDC(nullptr), 40, 40));
        CSelectObject keepPicture(dc, picture);
        dc.FillSolidRect(0, 0, 40, 40, RGB(255, 255, 255));

        CMemoryDC source(nullptr);
        CBitmap dot;
        REQUIRE(dot.CreateCompatibleBitmap(CWindowDC(nullptr), 2, 2));
        CSelectObject keepDot(source, dot);
        source.FillSolidRect(0, 0, 2, 2, RGB(200, 0, 0));
        CHECK(dc.StretchBlt(0, 0, 20, 20, source, 0, 0, 2, 2, SRCCOPY));
        CHECK(PixelOf(dc, 19, 19) == RGB(200, 0, 0));
        CHECK(PixelOf(dc, 20, 20) == RGB(255, 255, 255));

        CSelectObject black(dc, GetStockObject(BLACK_BRUSH));
        const int saved = dc.SaveDC();
        CHECK(dc.IntersectClipRect(CRect(20, 0, 40, 40)) == SIMPLEREGION);
        CHECK(dc.Rectangle(CRect(0, 0, 40, 40)));
        CHECK(PixelOf(dc, 10, 10) == RGB(200, 0, 0));  // clipped away
        CHECK(PixelOf(dc, 30, 30) == RGB(0, 0, 0));
        CHECK(dc.RestoreDC(saved));

        CRgn corner;
        REQUIRE(corner.CreateRectRgn(0, 20, 20, 40));
        CHECK(dc.SelectClipRgn(corner) == SIMPLEREGION);
        CHECK(dc.Ellipse(CRect(0, 20, 20, 40)));
        CHECK(PixelOf(dc, 10, 30) == RGB(0, 0, 0));
        CHECK(PixelOf(dc, 1, 21) == RGB(255, 255, 255));  // outside the ellipse
        CHECK(PixelOf(dc, 30, 10) == RGB(0, 0, 0));       // drawn before, untouched
        CHECK(dc.SelectClipRgn(nullptr) == SIMPLEREGION);
    }
}
