#include "CButtonKX.h"

#include <mmsystem.h>
#include <shellapi.h>
#include <cstring>
#include <vector>
#include "CWinApp.h"
#include "SkinBrand.h"

HBRUSH HollowBrushCtlColor() { return static_cast<HBRUSH>(GetStockObject(NULL_BRUSH)); }

namespace {

LONG CentreStart(LONG start, LONG extent, LONG size) { return start + (extent - size) / 2; }

// The caption in the brand's character type: ANSI of any length, or at most
// 260 wide characters.
[[maybe_unused]] std::string CaptionOf(const CWnd& button, char) { return button.GetWindowText(); }
[[maybe_unused]] std::wstring CaptionOf(const CWnd& button, wchar_t) { return button.GetWindowTextW(260); }

[[maybe_unused]] int DrawCaptionText(HDC dc, const char* text, RECT& where, UINT flags) {
    return ::DrawTextA(dc, text, -1, &where, flags);
}
[[maybe_unused]] int DrawCaptionText(HDC dc, const wchar_t* text, RECT& where, UINT flags) {
    return ::DrawTextW(dc, text, -1, &where, flags);
}

}  // namespace

void CButtonKX::Sound::Play() const {
    if (!name.empty()) PlaySoundA(name.c_str(), module, flags);
}

CButtonKX::CButtonKX() { SetDefaultColors(false); }

CButtonKX::~CButtonKX() {
    DropParentCopy();
    if (m_cursor) DestroyCursor(m_cursor);
}

const MessageMap* CButtonKX::GetThisMessageMap() {
    static const MapEntry entries[] = {
        OnMessage<WM_SETCURSOR, &CButtonKX::OnSetCursor>(),
        OnMessage<WM_KILLFOCUS, &CButtonKX::OnKillFocus>(),
        OnMessage<WM_MOUSEMOVE, &CButtonKX::OnMouseMove>(),
        OnMessage<WM_SYSCOLORCHANGE, &CButtonKX::OnSysColorChange>(),
        OnReflectedControl<BN_CLICKED, &CButtonKX::OnClicked>(),
        OnMessage<WM_ACTIVATE, &CButtonKX::OnActivate>(),
        OnMessage<WM_ENABLE, &CButtonKX::OnEnable>(),
        OnMessage<WM_CANCELMODE, &CButtonKX::OnCancelMode>(),
        OnMessage<WM_GETDLGCODE, &CButtonKX::OnGetDlgCode>(),
        OnReflectedCtlColor<&CButtonKX::CtlColor>(),
        OnMessage<WM_MENUCHAR, &CButtonKX::OnMenuChar>(),
        OnMessage<WM_MEASUREITEM, &CButtonKX::OnMeasureItem>(),
        OnMessage<BM_SETSTYLE, &CButtonKX::OnSetStyle>(),
        OnMessage<WM_MOUSELEAVE, &CButtonKX::OnMouseLeave>(),
        OnMessage<BM_SETCHECK, &CButtonKX::OnSetCheckMessage>(),
        OnMessage<BM_GETCHECK, &CButtonKX::OnGetCheckMessage>(),
    };
    static const MessageMap map(CWnd::GetThisMessageMap(), entries);
    return &map;
}

// ---- set-up ------------------------------------------------------------------

void CButtonKX::PreSubclassWindow() {
    m_buttonType = static_cast<int>(GetStyle() & 0xF);
    if (m_buttonType & 2) m_checkBox = 1;
    if (m_buttonType == BS_DEFPUSHBUTTON) {
        m_default = 1;
        m_buttonType = BS_PUSHBUTTON;
    }
    ModifyStyle(BS_TYPEMASK, BS_OWNERDRAW, SWP_FRAMECHANGED);
    CButton::PreSubclassWindow();
}

void CButtonKX::FreeImages() {
    m_inIcon.Destroy();
    m_outIcon.Destroy();
    m_inIconWidth = m_inIconHeight = m_outIconWidth = m_outIconHeight = 0;
    m_inBitmap.DeleteObject();
    m_inMask.DeleteObject();
    m_outBitmap.DeleteObject();
    m_outMask.DeleteObject();
    m_inBitmapWidth = m_inBitmapHeight = m_outBitmapWidth = m_outBitmapHeight = 0;
}

int CButtonKX::SetIcon(UINT inId, UINT outId) {
    HINSTANCE instance = CWinApp::ResourceHandle();
    auto load = [instance](UINT id) {
        return static_cast<HICON>(LoadImageA(instance, MAKEINTRESOURCEA(id), IMAGE_ICON, 0, 0, LR_DEFAULTCOLOR));
    };
    HICON in = load(inId);
    HICON out = nullptr;
    if (outId == kGreyOfInIconId) {
        out = GreyOfInIcon();
    } else if (outId != 0) {
        out = load(outId);
    }
    return SetIcon(in, out);
}

bool CButtonKX::StoreIcon(HICON icon, CIconHandle& slot, int& width, int& height) {
    slot.Attach(icon);
    if (!icon) return true;
    ICONINFO info{};
    if (!GetIconInfo(icon, &info)) return false;
    if (info.hbmMask) DeleteObject(info.hbmMask);
    if (info.hbmColor) DeleteObject(info.hbmColor);
    width = static_cast<int>(info.xHotspot * 2);
    height = static_cast<int>(info.yHotspot * 2);
    return true;
}

int CButtonKX::SetIcon(HICON in, HICON out) {
    FreeImages();
    if (!StoreIcon(in, m_inIcon, m_inIconWidth, m_inIconHeight)) {
        // Both icons were handed over: the out icon goes as well, never stored.
        if (out && out != GreyOfInIcon() && out != in) DestroyIcon(out);
        FreeImages();
        return 1;
    }
    if (out == GreyOfInIcon()) out = CreateGrayscaleIcon(in);
    if (!StoreIcon(out, m_outIcon, m_outIconWidth, m_outIconHeight)) {
        FreeImages();
        return 1;
    }
    if (m_hWnd) Invalidate();
    return 0;
}

void CButtonKX::DropParentCopy() {
    if (m_cachePrevious && m_cacheDC.GetSafeHdc()) SelectObject(m_cacheDC, m_cachePrevious);
    m_cachePrevious = nullptr;
    m_cacheBitmap.DeleteObject();
    m_cacheDC.DeleteDC();
}

void CButtonKX::SetTransparent(bool repaint) {
    m_transparent = 1;
    DropParentCopy();
    if (repaint && m_hWnd) Invalidate();
}

int CButtonKX::SetCheck(int check, bool repaint) {
    if (m_checkBox) {
        m_check = check != 0 ? 1 : 0;
        if (repaint && m_hWnd) Invalidate();
    }
    return 0;
}

int CButtonKX::SetDefaultColors(bool repaint) {
    for (auto& pair : m_colours) {
        pair[0] = GetSysColor(COLOR_BTNFACE);
        pair[1] = GetSysColor(COLOR_BTNTEXT);
    }
    if (repaint && m_hWnd) Invalidate();
    return 0;
}

int CButtonKX::SetPressedStyle(int style, bool repaint) {
    if (style == 0) {
        m_pressedOffset = {1, 1};
    } else if (style == 1) {
        m_pressedOffset = {0, 2};
    } else {
        return 6;
    }
    if (repaint && m_hWnd) Invalidate();
    return 0;
}

int CButtonKX::SetURL(const char* address) {
    std::memset(m_url, 0, sizeof(m_url));
    if (address) std::strncpy(m_url, address, sizeof(m_url) - 1);
    return 0;
}

// ---- painting -------------------------------------------------------------

int CButtonKX::StateColours() const {
    if (m_hover || m_pressed) return kColoursIn;
    return m_focus ? kColoursFocus : kColoursOut;
}

void CButtonKX::DrawItem(DRAWITEMSTRUCT* item) {
    CDC dc(item->hDC);
    const bool selected = (item->itemState & ODS_SELECTED) != 0;
    if (m_checkBox) {
        m_pressed = selected || m_check == 1;
    } else {
        m_pressed = selected || (m_menu.GetSafeHmenu() && m_menuShown);
    }
    m_focus = (item->itemState & ODS_FOCUS) != 0;
    m_disabled = (item->itemState & ODS_DISABLED) != 0;
    RECT rect = item->rcItem;
    dc.SetBkMode(TRANSPARENT);
    if (m_transparent) {
        DrawParentBackground(&dc);
    } else {
        DrawBackground(&dc, &rect);
    }
    DrawBorder(&dc, &rect);

    const CaptionText text = CaptionOf(*this, CaptionChar{});
    RECT itemRect = item->rcItem;
    RECT caption = item->rcItem;
    if (m_inIcon.Get()) DrawIcon(&dc, !text.empty(), &itemRect, &caption, m_pressed, m_disabled);
    if (m_inBitmap) {
        dc.SetBkColor(RGB(255, 255, 255));
        DrawBitmap(&dc, !text.empty(), &itemRect, &caption, m_pressed, m_disabled);
    }
    if (!text.empty()) DrawCaption(&dc, text.c_str(), &itemRect, &caption, m_pressed, m_disabled);
    if ((!m_flat || m_flatFocus) && m_focus) {
        CRect focus(item->rcItem);
        focus.Inflate(-3, -3);
        dc.DrawFocusRect(focus);
    }
}

void CButtonKX::DrawBackground(CDC* dc, RECT* rect) {
    if (!m_flat && (m_focus || m_default)) {
        dc->FrameRect(*rect, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
        InflateRect(rect, -1, -1);
    }
    dc->FillSolidRect(*rect, m_colours[StateColours()][0]);
}

void CButtonKX::DrawBorder(CDC* dc, RECT* rect) {
    const COLORREF highlight = GetSysColor(COLOR_BTNHIGHLIGHT);
    const COLORREF shadow = GetSysColor(COLOR_BTNSHADOW);
    if (m_pressed) {
        if (m_flat) {
            if (m_drawBorder) dc->Draw3dRect(*rect, shadow, highlight);
        } else {
            CBrush brush(shadow);
            dc->FrameRect(*rect, brush);
        }
        return;
    }
    if (!m_flat) {
        const RECT& r = *rect;
        const COLORREF light = GetSysColor(COLOR_3DLIGHT), dark = GetSysColor(COLOR_3DDKSHADOW);
        dc->FillSolidRect(r.left, r.top, r.right - r.left, 1, highlight);
        dc->FillSolidRect(r.left, r.top, 1, r.bottom - r.top, highlight);
        dc->FillSolidRect(r.left + 1, r.top + 1, r.right - r.left - 2, 1, light);
        dc->FillSolidRect(r.left + 1, r.top + 1, 1, r.bottom - r.top - 2, light);
        dc->FillSolidRect(r.left, r.bottom - 1, r.right - r.left, 1, dark);
        dc->FillSolidRect(r.right - 1, r.top, 1, r.bottom - r.top, dark);
        dc->FillSolidRect(r.left + 1, r.bottom - 2, r.right - r.left - 2, 1, shadow);
        dc->FillSolidRect(r.right - 2, r.top + 1, 1, r.bottom - r.top - 2, shadow);
        return;
    }
    if (m_hover && m_drawBorder) dc->Draw3dRect(*rect, highlight, shadow);
}

void CButtonKX::PrepareImageRect(unsigned char alignment, bool hasCaption, const RECT& item, RECT& caption, int width,
                                 int height, SIZE margin, RECT& image) {
    image = item;
    const LONG itemWidth = item.right - item.left, itemHeight = item.bottom - item.top;
    switch (alignment) {
    case kImageLeft:
        if (hasCaption) {
            image.left += margin.cx;
            caption.left += margin.cx + width;
        } else {
            image.left = CentreStart(image.left, itemWidth, width);
        }
        image.top = CentreStart(image.top, itemHeight, height);
        break;
    case kImageTop:
        image.left = CentreStart(image.left, itemWidth, width);
        if (hasCaption) {
            image.top = margin.cy;
            caption.top += height;
        } else {
            image.top = CentreStart(image.top, itemHeight, height);
        }
        break;
    case kImageRight:
        if (hasCaption) {
            caption.right -= caption.left + margin.cx + width;
            caption.left = margin.cx;
            image.left = item.right - margin.cx - width;
            image.top = CentreStart(image.top, itemHeight, height);
        } else {
            image.left = CentreStart(image.left, itemWidth, width);
        }
        break;
    default: break;
    }
}

void CButtonKX::DrawIcon(CDC* dc, BOOL hasCaption, RECT* item, RECT* caption, BOOL pressed, BOOL disabled) {
    bool useIn = false;
    if (m_checkBox) {
        useIn = pressed || m_check;
    } else {
        useIn = pressed || m_hover;
    }
    HICON icon = (useIn || !m_outIcon.Get()) ? m_inIcon.Get() : m_outIcon.Get();
    const int width = icon == m_inIcon.Get() ? m_inIconWidth : m_outIconWidth;
    const int height = icon == m_inIcon.Get() ? m_inIconHeight : m_outIconHeight;
    RECT image{};
    PrepareImageRect(m_alignment, hasCaption != FALSE, *item, *caption, width, height, m_imageMargin, image);
    if (pressed && !m_checkBox) OffsetRect(&image, m_pressedOffset.cx, m_pressedOffset.cy);
    DrawState(*dc, nullptr, nullptr, reinterpret_cast<LPARAM>(icon), 0, image.left, image.top,
              image.right - image.left, image.bottom - image.top, DST_ICON | (disabled ? DSS_DISABLED : DSS_NORMAL));
}

void CButtonKX::DrawBitmap(CDC* dc, BOOL hasCaption, RECT* item, RECT* caption, BOOL pressed, BOOL disabled) {
    const bool useIn = (m_checkBox ? (pressed || m_check) : (pressed || m_hover)) || !m_outBitmap;
    HBITMAP bitmap = useIn ? m_inBitmap.GetSafeHandle() : m_outBitmap.GetSafeHandle();
    HBITMAP mask = useIn ? m_inMask.GetSafeHandle() : m_outMask.GetSafeHandle();
    const int width = useIn ? m_inBitmapWidth : m_outBitmapWidth;
    const int height = useIn ? m_inBitmapHeight : m_outBitmapHeight;
    RECT image{};
    PrepareImageRect(m_alignment, hasCaption != FALSE, *item, *caption, width, height, m_imageMargin, image);
    if (pressed && !m_checkBox) OffsetRect(&image, m_pressedOffset.cx, m_pressedOffset.cy);

    CMemoryDC source(*dc);
    if (!source.GetSafeHdc()) return;
    if (disabled && m_greyDisabledBitmap) {
        CMemoryDC scratch(*dc);
        CBitmap composed;
        if (!scratch.GetSafeHdc() || !composed.CreateCompatibleBitmap(*dc, width, height)) return;
        {
            CSelectObject composedSelected(scratch, composed);
            scratch.FillSolidRect(0, 0, width, height, RGB(255, 255, 255));
            if (mask) {
                CSelectObject maskSelected(source, mask);
                scratch.BitBlt(0, 0, width, height, source, 0, 0, SRCAND);
            }
            CSelectObject imageSelected(source, bitmap);
            scratch.BitBlt(0, 0, width, height, source, 0, 0, mask ? SRCPAINT : SRCCOPY);
        }
        DrawState(*dc, nullptr, nullptr, reinterpret_cast<LPARAM>(composed.GetSafeHandle()), 0, image.left,
                  image.top, width, height, DST_BITMAP | DSS_DISABLED);
        return;
    }
    if (mask) {
        CSelectObject maskSelected(source, mask);
        dc->BitBlt(image.left, image.top, width, height, source, 0, 0, SRCAND);
    }
    CSelectObject imageSelected(source, bitmap);
    dc->BitBlt(image.left, image.top, width, height, source, 0, 0, mask ? SRCPAINT : SRCCOPY);
}

void CButtonKX::DrawCaption(CDC* dc, const CaptionChar* text, RECT*, RECT* caption, BOOL pressed, BOOL disabled) {
    RECT place = *caption;
    if (pressed && !m_checkBox) OffsetRect(&place, m_pressedOffset.cx, m_pressedOffset.cy);
    const UINT format = DT_WORDBREAK | DT_CENTER;
    auto draw = [&](RECT& where, UINT flags) { return DrawCaptionText(*dc, text, where, flags); };
    RECT measured = place;
    draw(measured, DT_CALCRECT | format);
    OffsetRect(&measured, ((place.right - place.left) - (measured.right - measured.left)) / 2,
               ((place.bottom - place.top) - (measured.bottom - measured.top)) / 2);
    dc->SetBkMode(TRANSPARENT);
    if (disabled) {
        RECT raised = measured;
        OffsetRect(&raised, 1, 1);
        dc->SetTextColor(GetSysColor(COLOR_BTNHIGHLIGHT));
        draw(raised, format);
        dc->SetTextColor(GetSysColor(COLOR_BTNSHADOW));
        draw(measured, format);
        return;
    }
    dc->SetTextColor(m_colours[StateColours()][1]);
    dc->SetBkColor(m_colours[StateColours()][0]);
    draw(measured, format);
}

void CButtonKX::DrawParentBackground(CDC* dc) {
    HWND parent = GetParent();
    CClientDC parentDC(parent);
    const CRect client = GetClientRect();
    CRect window = GetWindowRect();
    ::MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&window), 2);
    if (!m_cacheDC.GetSafeHdc()) {
        if (!m_cacheDC.CreateCompatibleDC(parentDC)) return;
        if (!m_cacheBitmap.CreateCompatibleBitmap(parentDC, client.Width(), client.Height())) {
            m_cacheDC.DeleteDC();
            return;
        }
        m_cachePrevious = SelectObject(m_cacheDC, m_cacheBitmap);
        m_cacheDC.BitBlt(0, 0, client.Width(), client.Height(), parentDC, window.left, window.top, SRCCOPY);
    }
    dc->BitBlt(0, 0, client.Width(), client.Height(), m_cacheDC, 0, 0, SRCCOPY);
}

HICON CButtonKX::CreateGrayscaleIcon(HICON icon) {
    ICONINFO info{};
    if (!icon || !GetIconInfo(icon, &info)) return nullptr;
    CBitmap mask(info.hbmMask), colour(info.hbmColor);  // released on every path
    BITMAP colourHeader{};
    if (!colour || GetObject(colour, sizeof(colourHeader), &colourHeader) == 0) return nullptr;
    const int width = static_cast<int>(info.xHotspot * 2), height = static_cast<int>(info.yHotspot * 2);
    if (width <= 0 || height <= 0) return nullptr;

    CWindowDC screen(nullptr);
    CMemoryDC sourceDC(screen), greyDC(screen);
    CBitmap grey(CreateBitmap(width, height, colourHeader.bmPlanes, colourHeader.bmBitsPixel, nullptr));
    if (!sourceDC.GetSafeHdc() || !greyDC.GetSafeHdc() || !grey) return nullptr;
    {
        CSelectObject sourceSelected(sourceDC, colour);
        CSelectObject greySelected(greyDC, grey);
        greyDC.BitBlt(0, 0, width, height, sourceDC, 0, 0, SRCCOPY);
        for (int y = 0; y < height; ++y) {
            for (int x = 0; x < width; ++x) {
                const COLORREF pixel = GetPixel(greyDC, x, y);
                if (pixel == 0 || pixel == CLR_INVALID) continue;
                const auto g = static_cast<BYTE>(0.299 * GetRValue(pixel) + 0.587 * GetGValue(pixel) +
                                                 0.114 * GetBValue(pixel));
                SetPixel(greyDC, x, y, RGB(g, g, g));
            }
        }
    }
    ICONINFO greyInfo{TRUE, 0, 0, mask, grey};
    return CreateIconIndirect(&greyInfo);
}

// ---- behaviour -----------------------------------------------------------

BOOL CButtonKX::OnSetCursor(HWND, UINT, UINT) {
    if (m_cursor) {
        ::SetCursor(m_cursor);
        return TRUE;
    }
    return static_cast<BOOL>(Default());
}

void CButtonKX::EndHover() {
    if (m_flat && m_hover) {
        m_hover = 0;
        Invalidate();
    }
}

void CButtonKX::OnKillFocus(HWND) {
    Default();
    EndHover();
}

void CButtonKX::OnMouseMove(UINT flags, CPoint point) {
    Default();
    if (!m_flat) return;
    CPoint screen = point;
    ClientToScreen(screen);
    HWND under = WindowFromPoint(screen);
    if ((flags & MK_LBUTTON) && !m_hover) return;
    HWND reference = m_hoverInInactive ? m_hWnd : GetActiveWindow();
    if (under == m_hWnd && reference) {
        if (!m_hover) {
            m_hover = 1;
            Invalidate();
            m_hoverSound.Play();
            TRACKMOUSEEVENT track{sizeof(track), TME_LEAVE, m_hWnd, 0};
            TrackMouseEvent(&track);
        }
    } else {
        EndHover();
    }
}

void CButtonKX::OnSysColorChange() {
    Default();
    DropParentCopy();
    SetDefaultColors(true);
}

bool CButtonKX::OnClicked() {
    SetFocus();
    m_clickSound.Play();
    if (m_checkBox) {
        m_check = !m_check;
        Invalidate();
    } else if (m_menu.GetSafeHmenu()) {
        OpenDropDown();
    } else if (m_url[0]) {
        SHELLEXECUTEINFOA execute{};
        execute.cbSize = sizeof(execute);
        execute.fMask = SEE_MASK_FLAG_NO_UI;
        execute.lpVerb = "open";
        execute.lpFile = m_url;
        execute.nShow = SW_SHOWMAXIMIZED;
        ShellExecuteExA(&execute);
    }
    return false;  // the parent's own BN_CLICKED handler runs as well
}

void CButtonKX::OpenDropDown() {
    m_menuShown = 1;
    Invalidate();
    UpdateWindow();
    HMENU popup = ::GetSubMenu(m_menu.GetSafeHmenu(), 0);
    if (m_menuCallbackWindow) {
        ::SendMessageA(m_menuCallbackWindow, m_menuCallbackMessage, reinterpret_cast<WPARAM>(popup),
                       m_menuCallbackParam);
    }
    const CRect window = GetWindowRect();
    int chosen = 0;
    if (popup) {
        chosen = TrackPopupMenu(popup, TPM_RIGHTBUTTON | TPM_NONOTIFY | TPM_RETURNCMD, window.left, window.bottom, 0,
                                m_hWnd, nullptr);
    }
    m_menuShown = 0;
    Invalidate();
    if (chosen && m_menuOwner) ::PostMessageA(m_menuOwner, WM_COMMAND, MAKEWPARAM(chosen, 0), 0);
}

void CButtonKX::OnActivate(UINT state, HWND, BOOL) {
    Default();
    if (state == WA_INACTIVE) EndHover();
}

void CButtonKX::OnEnable(BOOL enabled) {
    Default();
    if (enabled) return;
    // The system takes the focus from a window it disables; hand it on then,
    // but leave it alone when another control holds it.
    HWND parent = GetParent();
    HWND focus = ::GetFocus();
    if (parent && (focus == nullptr || focus == m_hWnd)) {
        HWND next = GetNextDlgTabItem(parent, m_hWnd, FALSE);
        ::SetFocus(next && next != m_hWnd ? next : parent);
    }
    EndHover();
}

void CButtonKX::OnCancelMode() {
    Default();
    EndHover();
}

UINT CButtonKX::OnGetDlgCode() {
    const UINT code = static_cast<UINT>(Default());
    return code | (m_default ? DLGC_DEFPUSHBUTTON : DLGC_UNDEFPUSHBUTTON);
}

HBRUSH CButtonKX::CtlColor(CDC&, UINT) { return HollowBrushCtlColor(); }

LRESULT CButtonKX::OnMenuChar(UINT character, UINT flags, HMENU menu) {
    if (m_menu.GetSafeHmenu() && (menu == m_menu.GetSafeHmenu() || TRMenu::IsOwnSubmenu(menu))) {
        return TRMenu::FindMnemonicItem(character, flags, menu);
    }
    return Default();
}

void CButtonKX::OnMeasureItem(int, MEASUREITEMSTRUCT* item) {
    int position = 0;
    if (item->CtlType == ODT_MENU && m_menu.GetSafeHmenu() && m_menu.FindCommandOwner(item->itemID, position)) {
        m_menu.MeasureItem(item);
        return;
    }
    Default();
}

LRESULT CButtonKX::OnSetStyle(WPARAM style, LPARAM redraw) {
    const UINT type = static_cast<UINT>(style & 0xF);
    if (type == BS_DEFPUSHBUTTON) m_default = 1;
    else if (type == BS_PUSHBUTTON) m_default = 0;
    return DefWindowProc(BM_SETSTYLE, (style & ~static_cast<WPARAM>(4)) | BS_OWNERDRAW, redraw);
}

LRESULT CButtonKX::OnMouseLeave(WPARAM, LPARAM) {
    EndHover();
    return 0;
}

LRESULT CButtonKX::OnSetCheckMessage(WPARAM check, LPARAM) {
    SetCheck(check == BST_CHECKED || check == BST_INDETERMINATE, true);
    return 0;
}

LRESULT CButtonKX::OnGetCheckMessage(WPARAM, LPARAM) { return m_check; }

BOOL CButtonKX::PreTranslateMessage(MSG* message) {
    if (!m_toolTip.GetSafeHwnd() && m_toolTip.Create(m_hWnd, m_toolTipStyle)) {
        m_toolTip.Activate(false);
        m_toolTip.SetMaxTipWidth(400);
    }
    if (m_toolTip.GetSafeHwnd()) m_toolTip.RelayEvent(message);
    if (message->message == WM_LBUTTONDBLCLK) message->message = WM_LBUTTONDOWN;
    return CButton::PreTranslateMessage(message);
}
