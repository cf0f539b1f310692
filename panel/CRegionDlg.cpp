#include "CRegionDlg.h"

#include "CCalibrate.h"
#include "CTabletContext.h"
#include "CDataExchange.h"
#include "CFullDlg.h"
#include "CStyloraApp.h"
#include "CWinApp.h"
#include "DisplayChange.h"
#include "KeyBrandPolicies.h"
#include "ObjectNames.h"
#include "PanelBrand.h"
#include "ServiceCodes.h"
#include "ServiceLink.h"
#include "ServiceSave.h"
#include "SharedSections.h"
#include "UiSeams.h"
#include "resource.h"

#include <cstdio>
#include <cstdlib>

int CRegionDlg::s_calibrationInset = 30;

namespace {

constexpr COLORREF kRed = RGB(255, 0, 0);
constexpr int kTabletPictureWidth = 160;
constexpr int kTabletPictureHeight = 140;
// Tablets whose product id has one of these bits get targets further in.
constexpr int kDeepInsetModels = 0x841F;
constexpr int kDeepInset = 90;

const LanguageKey kRotate{"Rotate", "Rotate", 64};
const LanguageKey kTwistNormal{"Twist_normal", "Twist_normal", 64};
const LanguageKey kTwist90{"Twist_90", "Twist_90", 64};
const LanguageKey kTwist180{"Twist_180", "Twist_180", 64};
const LanguageKey kTwist270{"Twist_270", "Twist_270", 64};

RECT32 ToRect32(const RECT& r) { return {r.left, r.top, r.right, r.bottom}; }

int ParseHex(const std::string& text) { return static_cast<int>(std::strtol(text.c_str(), nullptr, 16)); }

}  // namespace

CRegionDlg::CRegionDlg(CWnd* parent)
    : CBkDialogKX(kTemplateId, parent), m_brand(kPenmiraPanel ? kPenmiraMapping : kStyloraMapping)
{
    m_settings = std::make_unique<SettingsFiles>(m_programFiles, m_files, PanelSettingsFilePolicy());
    m_store = std::make_unique<MappingStore>(*m_settings);
}

CRegionDlg::~CRegionDlg()
{
    if (m_captured && ::GetCapture() == m_hWnd)
        ::ReleaseCapture();
}

const MessageMap* CRegionDlg::GetThisMessageMap()
{
    static const MapEntry entries[] = {
        OnMessage<WM_PAINT, &CRegionDlg::OnPaint>(),
        OnControl<CBN_SELENDOK, IDC_MONITOR_CHOICE, &CRegionDlg::OnSelEndOkMonitor>(),
        OnControl<BN_CLICKED, IDC_PART_OF_MONITOR, &CRegionDlg::OnPartOfMonitor>(),
        OnMessage<WM_MOUSEMOVE, &CRegionDlg::OnMouseMove>(),
        OnControl<BN_CLICKED, IDC_SELECT_MONITOR, &CRegionDlg::OnSelectMonitor>(),
        OnControl<BN_CLICKED, IDC_AUTO_SETTING, &CRegionDlg::OnAutoSetting>(),
        OnControl<BN_CLICKED, IDC_ALL_TABLET, &CRegionDlg::OnAllTablet>(),
        OnControl<BN_CLICKED, IDC_CALIBRATE, &CRegionDlg::OnCalibrate>(),
        OnControl<CBN_SELENDOK, IDC_TABLET_CHOICE, &CRegionDlg::OnSelEndOkTabletId>(),
        OnCommandId<IDC_RUN_CALIBRATION, &CRegionDlg::RunCalibration>(),
        OnControl<CBN_SELCHANGE, IDC_ROTATION_CHOICE, &CRegionDlg::OnRotateSelChange>(),
    };
    static const MessageMap map(CBkDialogKX::GetThisMessageMap(), entries);
    return &map;
}

void CRegionDlg::DoDataExchange(CDataExchange* exchange)
{
    CBkDialogKX::DoDataExchange(exchange);
    DDX_Control(exchange, IDC_TABLET_CHOICE, m_tabletCombo);
    DDX_Control(exchange, IDC_MONITOR_CHOICE, m_monitorCombo);
    DDX_Radio(exchange, IDC_SELECT_MONITOR, m_radio);
    DDX_Control(exchange, IDC_AUTO_SETTING, m_autoButton);
    DDX_Control(exchange, IDC_ALL_TABLET, m_allTabletButton);
    DDX_Control(exchange, IDC_CALIBRATE, m_calibrateButton);
    if (m_brand.rotationChoice)
        DDX_Control(exchange, IDC_ROTATION_CHOICE, m_rotationCombo);
}

std::string CRegionDlg::Text(const LanguageKey& key) const
{
    return CStyloraApp::LanguageText(m_app != nullptr ? m_app->LanguageIndex() : 0, key);
}

BOOL CRegionDlg::OnInitDialog()
{
    m_app = CStyloraApp::Instance();
    m_osMajor = m_app != nullptr ? m_app->OsMajorVersion() : 6;
    CBkDialogKX::OnInitDialog();

    m_monitors.Enumerate();
    FillMonitorCombo(MonitorEntries(), 0);
    m_radio = 0;
    UpdateData(false);
    if (m_brand.rotationChoice) {
        m_rotationCombo.ResetContent();
        for (const LanguageKey* key : {&kTwistNormal, &kTwist90, &kTwist180, &kTwist270})
            m_rotationCombo.AddString(Text(*key).c_str());
    }

    if (!OpenSections()) {
        EndPage();
        return FALSE;
    }
    const TABLETINFO& live = m_keyArea.As<KeyAreaSectionHead>()->record.info;
    if (SelectDevice(live.VID, live.PID) < 0)
        return FALSE;
    if (m_brand.rotationChoice)
        m_rotationCombo.SetCurSel(RotationEntryOf(live.rotationCode));

    m_autoButton.SetIcon(IDI_AUTO_SETTING_IN, IDI_AUTO_SETTING_OUT);
    m_allTabletButton.SetIcon(IDI_DEFAULT_IN, IDI_DEFAULT_OUT);
    m_calibrateButton.SetIcon(IDI_DEFAULT_IN, IDI_DEFAULT_OUT);
    if (m_osMajor > 5) {
        m_autoButton.SetTransparent(false);
        m_allTabletButton.SetTransparent(false);
        m_calibrateButton.SetTransparent(false);
    }
    HINSTANCE resources = CWinApp::ResourceHandle();
    m_background.Attach(::LoadBitmapA(resources, MAKEINTRESOURCEA(IDB_MAPPING_BACKGROUND)));
    m_tabletBitmap.Attach(::LoadBitmapA(resources, MAKEINTRESOURCEA(IDB_TABLET_PICTURE)));
    if (!m_background || !m_tabletBitmap) {
        EndPage();
        return FALSE;
    }
    UpdateGeometry();
    const CRect window = GetWindowRect();
    SetAnchor(Anchor().left, Anchor().top, window.Width(), window.Height());
    m_picture.ShowTabletArea(m_record.Info(), m_record.Mapping().tabletArea);
    SyncScreenAreaPreview();
    m_sizeNWSE = ::LoadCursor(nullptr, IDC_SIZENWSE);
    m_sizeNESW = ::LoadCursor(nullptr, IDC_SIZENESW);
    m_sizeAll = ::LoadCursor(nullptr, IDC_SIZEALL);
    if (m_app != nullptr && m_app->LanguageIndex() != 0)
        ApplyLanguage(m_app->LanguageIndex());
    // One monitor: the whole screen, published, unless a picked part of it was saved.
    if (m_monitors.Layout().Count() == 1 && m_record.Mapping().monitorChoice != MONITOR_CHOICE_PICKED) {
        m_record.Head().mapping.monitorChoice = MONITOR_CHOICE_DESKTOP;
        OnSelectMonitor();
        if (m_brand.publishesOnOpenWithOneMonitor)
            ApplyMappingToDriver();
    }
    return TRUE;
}

bool CRegionDlg::OpenSections()
{
    if (m_app == nullptr)
        return false;
    const ServiceLink link = m_app->Link();
    return link.OpenKeyArea(m_keyArea) &&
           (!m_brand.rotationChoice ||
            link.OpenSection(objnames::CONNECTION_SECTION, sizeof(ConnectionSection), m_connection));
}

void CRegionDlg::EndPage()
{
    EndDialog(IDOK);
}

void CRegionDlg::FillMonitorCombo(int entries, int selection)
{
    m_monitorCombo.ResetContent();
    const std::string full = Text(langkeys::kFullMonitor);
    const std::string monitor = Text(langkeys::kMonitor);
    m_monitorCombo.AddString(full.c_str());
    for (int k = 1; entries > 1 && k < entries; ++k) {
        char text[80];
        std::snprintf(text, sizeof text, "%s %d", monitor.c_str(), k);
        m_monitorCombo.AddString(text);
    }
    m_monitorCombo.SetCurSel(selection);
}

int CRegionDlg::SelectDevice(uint16_t vid, uint16_t pid)
{
    const int count = m_app != nullptr ? m_app->EnumConnectedTablets() : 0;
    if (count <= 0) {
        const std::string alert = m_app != nullptr ? m_app->UiString(langkeys::NoTabletAlert) : std::string();
        AfxMessageBox(alert.c_str(), MB_OK);
        EndPage();
        return -1;
    }
    m_tablets.assign(m_app->TabletList(), m_app->TabletList() + count);
    m_app->FreeTabletList();
    m_tabletCombo.ResetContent();
    for (const TABLETINFO& tablet : m_tablets) {
        char text[16];
        std::snprintf(text, sizeof text, "%X", unsigned{tablet.PID});
        m_tabletCombo.AddString(text);
    }
    const KeyAreaView area = KeyArea();
    const DeviceSelection chosen =
        m_store->SelectDevice(m_tablets, vid, pid, area, m_monitors.Layout().Bounds());
    m_record = chosen.record;
    m_hasRecord = true;
    m_tabletCombo.SetCurSel(chosen.index);
    m_currentPid = m_record.Info().PID;
    return count;
}

void CRegionDlg::UpdateGeometry()
{
    const HWND box = GetDlgItem(IDC_PREVIEW_FRAME);
    RECT boxRect{};
    if (box != nullptr)
        ::GetWindowRect(box, &boxRect);
    m_preview.SetFrame(ToRect32(GetWindowRect()), ToRect32(boxRect));
}

void CRegionDlg::InvalidatePreview(bool erase)
{
    const RECT32& frame = m_preview.Frame();
    InvalidateRect(RECT{frame.left, frame.top, frame.right, frame.bottom}, erase);
}

void CRegionDlg::SyncScreenAreaPreview()
{
    const int entries = m_monitorCombo.GetCount();
    MAPPINGDEF& mapping = m_record.Head().mapping;
    int radio = 0;
    int selection = m_monitorCombo.GetCurSel();
    if (mapping.monitorChoice == MONITOR_CHOICE_PICKED) {
        radio = 1;
        // As after a pick: a calibration finds the whole monitor's tablet
        // rectangle, which would no longer put the pen under the cursor.
        HWND calibrate = GetDlgItem(IDC_CALIBRATE);
        if (calibrate != nullptr && ::IsWindowEnabled(calibrate))
            ::EnableWindow(calibrate, FALSE);
    } else {
        selection = 0;
        if (entries < 2)
            mapping.monitorChoice = 0;
        else if (mapping.monitorChoice >= 0 && mapping.monitorChoice + 1 < entries)
            selection = mapping.monitorChoice + 1;
    }
    // Runs at every paint: controls are touched only when they change, as a
    // control that repaints itself over the page would paint the page again.
    if (selection != m_monitorCombo.GetCurSel())
        m_monitorCombo.SetCurSel(selection);
    const bool checked = ::IsDlgButtonChecked(m_hWnd, radio == 0 ? IDC_SELECT_MONITOR : IDC_PART_OF_MONITOR) != 0;
    if (radio != m_radio || !checked) {
        m_radio = radio;
        UpdateData(false);
    }
}

void CRegionDlg::OnPaint()
{
    CPaintDC dc(m_hWnd);
    if (m_brand.enumeratesAtEveryPaint) {
        if (m_monitors.Layout().Count() > 0)
            m_monitors.Enumerate();
        UpdateGeometry();
    }
    if (m_osMajor < 6) {
        m_autoButton.SetTransparent(false);
        m_allTabletButton.SetTransparent(false);
        m_calibrateButton.SetTransparent(false);
    }
    if (m_backgroundDC.GetSafeHdc() == nullptr) {
        m_backgroundDC.CreateCompatibleDC(dc);
        m_backgroundDC.SelectObject(m_background.GetSafeHandle());
        m_tabletDC.CreateCompatibleDC(dc);
        m_tabletDC.SelectObject(m_tabletBitmap.GetSafeHandle());
    }
    const CRect client = GetClientRect();
    BITMAP info{};
    ::GetObjectA(m_background.GetSafeHandle(), sizeof info, &info);
    dc.FillSolidRect(client, kControlBackground);
    dc.BitBlt(0, 0, std::min<int>(client.Width(), info.bmWidth), std::min<int>(client.Height(), info.bmHeight),
              m_backgroundDC, 0, 0, SRCCOPY);
    ::GetObjectA(m_tabletBitmap.GetSafeHandle(), sizeof info, &info);
    ::StretchBlt(dc, TabletPicture::ORIGIN_X, TabletPicture::ORIGIN_Y, kTabletPictureWidth, kTabletPictureHeight,
                 m_tabletDC, 0, 0, info.bmWidth, info.bmHeight, SRCCOPY);
    if (m_monitors.Layout().Count() > 0)
        DrawPreview(dc);
}

void CRegionDlg::DrawPreview(CDC& dc)
{
    const MonitorLayout& layout = m_monitors.Layout();
    m_preview.UpdateScales(layout.Bounds());
    CPen red(PS_SOLID, 1, kRed);
    CSelectObject pen(dc, red.GetSafeHandle());
    ::SetStretchBltMode(dc, COLORONCOLOR);
    for (size_t k = 0; k < layout.Count(); ++k) {
        const MonitorInfo& monitor = *layout.At(k);
        const RECT32 thumb = m_preview.Thumbnail(monitor, layout.Bounds());
        HDC screen = m_monitors.DeviceContext(k);
        if (screen != nullptr && (k == 0 || m_brand.liveThumbnailOfEveryMonitor))
            ::StretchBlt(dc, thumb.left, thumb.top, thumb.right - thumb.left, thumb.bottom - thumb.top, screen, 0, 0,
                         monitor.width, monitor.height, SRCCOPY);
    }
    SyncScreenAreaPreview();
    const RECT32 screen = m_preview.ScreenArea(m_record.Mapping().screenArea, layout.Bounds());
    if (m_brand.outlinesScreenArea) {
        const POINT outline[5] = {{screen.left, screen.top}, {screen.right, screen.top},
                                  {screen.right, screen.bottom}, {screen.left, screen.bottom},
                                  {screen.left, screen.top}};
        ::Polyline(dc, outline, 5);
    }
    const RECT32& area = m_picture.Area();
    ::Rectangle(dc, area.left, area.top, area.right, area.bottom);
    DrawMappingLines(dc, screen);
}

void CRegionDlg::DrawMappingLines(CDC& dc, const RECT32& screen)
{
    CPen dotted(PS_DOT, 1, kRed);
    CSelectObject pen(dc, dotted.GetSafeHandle());
    const RECT32& area = m_picture.Area();
    const POINT lines[4][2] = {{{screen.left, screen.top}, {area.left, area.top}},
                               {{screen.right, screen.bottom}, {area.right, area.bottom}},
                               {{screen.left, screen.bottom}, {area.left, area.bottom}},
                               {{screen.right, screen.top}, {area.right, area.top}}};
    for (const auto& line : lines) {
        dc.MoveTo(line[0].x, line[0].y);
        dc.LineTo(line[1].x, line[1].y);
    }
}

void CRegionDlg::OnSelEndOkMonitor()
{
    const int entries = m_monitorCombo.GetCount();
    m_storedSelection = m_monitorCombo.GetCurSel();
    m_radio = 0;
    UpdateData(false);
    InvalidatePreview(true);
    m_record.SelectMonitor(m_monitors.Layout(), entries, m_storedSelection);
    ApplyMappingToDriver();
}

void CRegionDlg::OnSelectMonitor()
{
    ::EnableWindow(GetDlgItem(IDC_CALIBRATE), TRUE);
    const int entries = m_monitorCombo.GetCount();
    m_storedSelection = std::max(0, m_monitorCombo.GetCurSel());
    m_record.SelectMonitor(m_monitors.Layout(), entries, m_storedSelection);
    UpdateData(true);
    InvalidatePreview(true);
}

void CRegionDlg::OnPartOfMonitor()
{
    ::EnableWindow(GetDlgItem(IDC_CALIBRATE), FALSE);
    if (MainWindow() != nullptr)
        ::SetActiveWindow(MainWindow());
    const MonitorLayout& layout = m_monitors.Layout();
    CFullDlg picker;
    picker.SetTarget(layout.SelectionRect(m_storedSelection));
    if (picker.DoModal() != IDOK)
        return;
    UpdateData(true);
    InvalidatePreview(false);
    m_record.SetPickedArea(layout, m_monitorCombo.GetCount(), picker.Picked());
}

void CRegionDlg::OnAllTablet()
{
    m_picture.ShowWholeTablet();
    InvalidatePreview(false);
    if (m_hasRecord)
        m_record.SetWholeTablet();
}

void CRegionDlg::OnAutoSetting()
{
    if (m_monitorCombo.GetCount() == 1) {
        OnAllTablet();
        return;
    }
    const RECT32 screen = m_monitors.Layout().SelectionRect(m_storedSelection);
    const TABLETINFO& info = m_record.Info();
    const AspectFit fit = MappingRecord::FitOf(int64_t{screen.right} - screen.left, int64_t{screen.bottom} - screen.top,
                                               info.widthWord, info.heightWord);
    m_picture.ShowFit(fit);
    m_record.FitTabletArea(fit);
    InvalidatePreview(false);
}

void CRegionDlg::OnMouseMove(UINT flags, CPoint point)
{
    const DragHandle handle = m_picture.HitTest(point.x, point.y);
    if (handle == DragHandle::None) {
        if (m_captured) {
            ::ReleaseCapture();
            m_captured = false;
            ::SetCursor(::LoadCursor(nullptr, IDC_ARROW));
        }
        Default();
        return;
    }
    if (!m_captured) {
        ::SetCapture(m_hWnd);
        m_captured = true;
    }
    const bool diagonal = handle == DragHandle::TopLeft || handle == DragHandle::BottomRight;
    ::SetCursor(handle == DragHandle::Interior ? m_sizeAll : diagonal ? m_sizeNWSE : m_sizeNESW);
    const bool changed = m_picture.Drag(handle, point.x, point.y, m_lastPointer.x, m_lastPointer.y, flags);
    m_lastPointer = point;
    if (changed) {
        InvalidatePreview(false);
        m_record.SetTabletArea(m_picture.TabletAreaOf(m_record.Info()));
    }
    Default();
}

void CRegionDlg::OnCalibrate()
{
    const int selection = m_tabletCombo.GetCurSel();
    if (m_brand.deepInsetByModel && selection >= 0 &&
        (ParseHex(m_tabletCombo.GetLBText(selection)) & kDeepInsetModels) != 0)
        s_calibrationInset = kDeepInset;
    RunCalibration();
}

void CRegionDlg::RunCalibration()
{
    const int entries = m_monitorCombo.GetCount();
    const int selection = m_monitorCombo.GetCurSel();
    size_t monitor = 0;
    if (entries >= 2) {
        if (selection <= 0)
            return;  // the whole desktop of several monitors is not calibrated
        monitor = static_cast<size_t>(selection) - 1;
    }
    if (m_monitors.Layout().At(monitor) == nullptr)
        return;
    CCalibrate calibration(s_calibrationInset, m_currentPid);
    calibration.SetMonitor(m_monitors.Layout().MonitorRect(monitor));
    // A click on the window empties the panel's packet queue, so the taps
    // never reach the try-here area.
    calibration.SetTabletContext(CTabletContext::SharedHandle());
    if (calibration.DoModal() != IDOK || !m_hasRecord)
        return;
    m_picture.ShowCalibratedArea(m_record.Info(), calibration.Result());
    InvalidatePreview(false);
    m_record.SetTabletArea(calibration.Result());
    ApplyMappingToDriver();
}

void CRegionDlg::OnSelEndOkTabletId()
{
    const int selection = m_tabletCombo.GetCurSel();
    if (selection < 0)
        return;
    const int pid = ParseHex(m_tabletCombo.GetLBText(selection));
    if (pid == m_currentPid)
        return;
    // The chosen entry's own vendor id: tablets of several vendors may be listed.
    const uint16_t vid = static_cast<size_t>(selection) < m_tablets.size() ? m_tablets[selection].VID : 0;
    m_tabletCombo.ResetContent();
    if (SelectDevice(vid, static_cast<uint16_t>(pid)) < 0)
        return;
    m_picture.ShowTabletArea(m_record.Info(), m_record.Mapping().tabletArea);
    Invalidate(true);
}

int CRegionDlg::ApplyMappingToDriver()
{
    if (m_app == nullptr || !m_hasRecord || !m_keyArea.IsMapped())
        return 0;
    const KeyAreaView area = KeyArea();
    SaveRequest mapping;
    mapping.command = CMD_SAVE_MAPPING;
    mapping.publishFields = [this, area] { m_store->PublishToKeyArea(area, m_record); };
    mapping.writeDirectly = [this, area] {
        // The file's result is not asked: the read thread takes the mapping
        // from the key area all the same.
        m_store->WriteToDeviceFile(m_record, area);
        m_store->PublishToKeyArea(area, m_record);
        return true;
    };
    mapping.reload = ReloadEvent::Mapping;
    mapping.vid = m_record.Info().VID;
    mapping.pid = m_record.Info().PID;
    return ServiceSave(*m_app).Run(mapping) != SaveResult::Failed ? 1 : 0;
}

LRESULT CRegionDlg::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_DISPLAYCHANGE && m_hWnd != nullptr) {
        m_monitors.Enumerate();
        const DisplayChangePlan plan = PlanDisplayChange(m_brand, m_monitors.Layout(), m_storedSelection);
        m_storedSelection = plan.storedSelection;
        FillMonitorCombo(plan.entries, plan.comboSelection);
        if (plan.selectWholeScreen)
            OnSelectMonitor();
        if (plan.publish)
            ApplyMappingToDriver();
        if (plan.recordToDesktop)
            m_record.Head().mapping.monitorChoice = MONITOR_CHOICE_DESKTOP;
    }
    return CBkDialogKX::WindowProc(message, wParam, lParam);
}

void CRegionDlg::ApplyLanguage(int index)
{
    if (!CStyloraApp::ReadLanguageFile().NamesLanguage(index))
        return;
    SetItemTextRedraw(IDC_TABLET_ID_LABEL, CStyloraApp::LanguageText(index, langkeys::kTabletId).c_str());
    if (m_brand.rotationChoice)
        SetItemTextRedraw(IDC_ROTATION_LABEL, CStyloraApp::LanguageText(index, kRotate).c_str());
    SetItemTextRedraw(IDC_SELECT_MONITOR, CStyloraApp::LanguageText(index, langkeys::kSelectMonitor).c_str());
    SetItemTextRedraw(IDC_PART_OF_MONITOR, CStyloraApp::LanguageText(index, langkeys::kPartMonitor).c_str());
    SetItemTextRedraw(IDC_AUTO_SETTING, CStyloraApp::LanguageText(index, langkeys::kAutoSetting).c_str());
    SetItemTextRedraw(IDC_CALIBRATE, CStyloraApp::LanguageText(index, langkeys::kCalibrate).c_str());
    SetItemTextRedraw(IDC_ALL_TABLET, CStyloraApp::LanguageText(index, langkeys::kAllTablet).c_str());
    const int selection = m_monitorCombo.GetCurSel();
    FillMonitorCombo(std::max(1, m_monitorCombo.GetCount()), selection);
    // The second brand's layout follows the language.
    Relayout();
}

void CRegionDlg::MoveToAnchor()
{
    CBkDialogKX::MoveToAnchor();
    Relayout();
}

void CRegionDlg::Relayout()
{
    if (!m_brand.relayoutByLanguage || m_app == nullptr)
        return;
    ControlPlace places[16];
    const size_t count = MappingRelayout(m_app->LanguageIndex(), places, 16);
    for (size_t i = 0; i < count; ++i) {
        HWND control = GetDlgItem(places[i].id);
        if (control != nullptr && places[i].moves)
            ::MoveWindow(control, places[i].x, places[i].y, places[i].width, places[i].height, TRUE);
    }
}

void CRegionDlg::OnRotateSelChange()
{
    const int entry = m_rotationCombo.GetCurSel();
    if (entry < 0 || !m_keyArea.IsMapped())
        return;
    auto* area = m_keyArea.As<KeyAreaSectionHead>();
    area->record.info.rotationCode = RotationCodeOf(entry);
    // Only the code: the area may hold another tablet's header.
    m_record.Head().info.rotationCode = area->record.info.rotationCode;
    OnSelEndOkMonitor();
    ApplyMappingToDriver();
    // Last, so the mapping commands above cannot overwrite it before the
    // service's command loop has taken it. Set, not pulsed: a loop still busy
    // with the mapping save takes it when it next waits (the loop resets the
    // event when it wakes).
    m_app->Link().SendCommand(m_connection, CMD_SET_ROTATION, ServiceLink::Wake::Set);
}
