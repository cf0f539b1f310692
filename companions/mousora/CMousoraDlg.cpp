#include "CMousoraDlg.h"

#include "CLanguageDlg.h"
#include "DoubleClickSettings.h"
#include "CompanionLanguage.h"
#include "MousoraResource.h"

namespace {

constexpr UINT DOUBLE_CLICK_CHANGE = SPIF_UPDATEINIFILE | SPIF_SENDCHANGE;

}  // namespace

CMousoraDlg::CMousoraDlg(CWnd* parent) : CDialog(IDD_MOUSORA, parent)
{
    icon_ = LoadIconA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDR_MAINFRAME));
}

const MessageMap* CMousoraDlg::GetThisMessageMap()
{
    static const MapEntry entries[] = {
        OnMessage<WM_SYSCOMMAND, &CMousoraDlg::OnSysCommand>(),
        OnMessage<WM_PAINT, &CMousoraDlg::OnPaint>(),
        OnMessage<WM_QUERYDRAGICON, &CMousoraDlg::OnQueryDragIcon>(),
        OnMessage<WM_LBUTTONDBLCLK, &CMousoraDlg::OnLButtonDblClk>(),
        OnNotifyCode<NM_RELEASEDCAPTURE, IDC_SPEED_SLIDER, &CMousoraDlg::OnSpeedReleased>(),
        OnNotifyCode<NM_RELEASEDCAPTURE, IDC_SCOPE_SLIDER, &CMousoraDlg::OnScopeReleased>(),
    };
    static const MessageMap map{CDialog::GetThisMessageMap(), entries};
    return &map;
}

BOOL CMousoraDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    SendMessage(WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon_));
    SendMessage(WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon_));
    if (HMENU system = GetSystemMenu(m_hWnd, FALSE)) {
        AppendMenuA(system, MF_SEPARATOR, 0, nullptr);
        AppendMenuA(system, MF_STRING, IDM_LANGUAGE, "Language");
    }
    scopeSlider_.SubclassDlgItem(IDC_SCOPE_SLIDER, m_hWnd);
    speedSlider_.SubclassDlgItem(IDC_SPEED_SLIDER, m_hWnd);
    picture_.SubclassDlgItem(IDC_PICTURE, m_hWnd);

    speedSlider_.SetRange(0, doubleclick::SPEED_SLIDER_MAX, false);
    speedSlider_.SendMessage(TBM_SETLINESIZE, 0, 0);
    speedSlider_.SetPos(doubleclick::SpeedThumbFromTime(GetDoubleClickTime()));
    scopeSlider_.SetRange(doubleclick::SCOPE_SLIDER_MIN, doubleclick::SCOPE_SLIDER_MAX, false);
    scopeSlider_.SendMessage(TBM_SETLINESIZE, 0, 0);
    scopeSlider_.SetPos(GetSystemMetrics(SM_CXDOUBLECLK));
    ApplyLanguage(-1);
    return TRUE;
}

void CMousoraDlg::ApplyLanguage(int index)
{
    const LanguageFile language = ReadCompanionLanguage();
    for (const auto& [id, text] : doubleclick::DialogTexts(index, language))
        SetDlgItemTextA(m_hWnd, id, text.c_str());
}

void CMousoraDlg::OnSpeedReleased(NMHDR*, LRESULT* result)
{
    SetDoubleClickTime(doubleclick::TimeFromSpeedThumb(speedSlider_.GetPos()));
    *result = 0;
}

void CMousoraDlg::OnScopeReleased(NMHDR*, LRESULT* result)
{
    const UINT size = static_cast<UINT>(scopeSlider_.GetPos());
    SystemParametersInfoA(SPI_SETDOUBLECLKHEIGHT, size, nullptr, DOUBLE_CLICK_CHANGE);
    SystemParametersInfoA(SPI_SETDOUBLECLKWIDTH, size, nullptr, DOUBLE_CLICK_CHANGE);
    *result = 0;
}

void CMousoraDlg::OnSysCommand(UINT id, LPARAM)
{
    if ((id & 0xFFF0) == IDM_LANGUAGE) {
        CLanguageDlg dialog(this);
        if (dialog.DoModal() == IDOK)
            ApplyLanguage(dialog.ChosenIndex());
        return;
    }
    Default();
}

void CMousoraDlg::OnPaint()
{
    if (!IsIconic(m_hWnd)) {
        Default();
        return;
    }
    CPaintDC dc(m_hWnd);
    SendMessage(WM_ICONERASEBKGND, reinterpret_cast<WPARAM>(dc.GetSafeHdc()), 0);
    const CRect client = GetClientRect();
    const int x = (client.Width() - GetSystemMetrics(SM_CXICON) + 1) / 2;
    const int y = (client.Height() - GetSystemMetrics(SM_CYICON) + 1) / 2;
    DrawIcon(dc.GetSafeHdc(), x, y, icon_);
}

HCURSOR CMousoraDlg::OnQueryDragIcon() { return static_cast<HCURSOR>(icon_); }

void CMousoraDlg::OnLButtonDblClk(UINT, CPoint point)
{
    Default();
    if (ChildWindowFromPoint(m_hWnd, point) != picture_.GetSafeHwnd())
        return;
    pictureState_ = pictureState_ == 0 ? 1 : 0;
    ShowPicture(pictureState_ != 0 ? IDB_PICTURE_OPENED : IDB_PICTURE_CLOSED);
}

void CMousoraDlg::ShowPicture(int bitmapId)
{
    CBitmap bitmap(static_cast<HBITMAP>(LoadImageA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(bitmapId),
                                                   IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION | LR_VGACOLOR)));
    BITMAP info{};
    if (bitmap.GetSafeHandle() == nullptr || !GetObjectA(bitmap.GetSafeHandle(), sizeof info, &info))
        return;
    CClientDC target(picture_.GetSafeHwnd());
    CMemoryDC memory(target.GetSafeHdc());
    CSelectObject selected(memory.GetSafeHdc(), bitmap.GetSafeHandle());
    const CRect area = picture_.GetClientRect();
    // Not kept: a repaint of the static shows its own picture again.
    StretchBlt(target.GetSafeHdc(), area.left, area.top, area.right, area.bottom, memory.GetSafeHdc(), 0, 0,
               info.bmWidth, info.bmHeight, SRCCOPY);
}
