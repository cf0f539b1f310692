#include "CStyloraDlg.h"

#include "CDataExchange.h"
#include "CLanguage.h"
#include "CStyloraApp.h"
#include "KeyBrandPolicies.h"
#include "LanguageKeys.h"
#include "MainDialogBrand.h"
#include "PanelBrand.h"
#include "PenPagePolicy.h"
#include "ObjectNames.h"
#include "ProgramFiles.h"
#include "SettingsFiles.h"
#include "ServiceCodes.h"
#include "ServiceLink.h"
#include "ServiceSave.h"
#include "SharedSections.h"
#include "Win32FileSystem.h"
#include "resource.h"

#include <cstring>

namespace {

ScreenRect ToScreenRect(const RECT& rect) { return {rect.left, rect.top, rect.right, rect.bottom}; }

}  // namespace

const MainDialog::Brand& CStyloraDlg::Brand()
{
    return kPenmiraPanel ? MainDialog::kPenmiraMainDialog : MainDialog::kStyloraMainDialog;
}

CStyloraDlg::CStyloraDlg(CWnd* parent)
    : CBkDialogKX(IDD_STYLORA_DIALOG, parent),
      m_keyboard(this),
      m_launch(this),
      m_keyFile(PanelKeyNamePolicy()),
      m_keyNames(m_keyFile, m_keyFile.Policy()),
      m_penPage(*this, kPenmiraPanel ? kPenmiraPenPage : kStyloraPenPage, Brand())
{
    m_icon = LoadIconA(CWinApp::ResourceHandle(), MAKEINTRESOURCEA(IDR_MAINFRAME));
}

CStyloraDlg::~CStyloraDlg()
{
    if (m_penCopy != nullptr)
        HeapFree(GetProcessHeap(), 0, m_penCopy);
    DeletePages(true, true, true);
    if (m_backgroundDCDefault != nullptr)
        m_backgroundDC.SelectObject(m_backgroundDCDefault);
    if (m_overlayDCDefault != nullptr)
        m_overlayDC.SelectObject(m_overlayDCDefault);
}

const MessageMap* CStyloraDlg::GetThisMessageMap()
{
    static const MapEntry entries[] = {
        OnMessage<WM_SYSCOMMAND, &CStyloraDlg::OnSysCommand>(),
        OnMessage<WM_PAINT, &CStyloraDlg::OnPaint>(),
        OnMessage<WM_QUERYDRAGICON, &CStyloraDlg::OnQueryDragIcon>(),
        OnControl<BN_CLICKED, IDC_PEN_SETTING, &CStyloraDlg::OnBnClickedPenSetting>(),
        OnControl<BN_CLICKED, IDC_MAPPING, &CStyloraDlg::OnBnClickedMapping>(),
        OnControl<BN_CLICKED, IDC_KEY_SETTING, &CStyloraDlg::OnBnClickedKeySetting>(),
        OnControl<BN_CLICKED, IDC_ABOUT, &CStyloraDlg::OnBnClickedAbout>(),
        OnMessage<WM_LBUTTONDOWN, &CStyloraDlg::OnLButtonDown>(),
        OnMessage<WM_LBUTTONUP, &CStyloraDlg::OnLButtonUp>(),
        OnMessage<WM_MOUSEMOVE, &CStyloraDlg::OnMouseMove>(),
        OnMessage<WM_MOVE, &CStyloraDlg::OnMove>(),
        OnControl<CBN_SELENDOK, IDC_PARAMETER, &CStyloraDlg::OnSelEndOkParameter>(),
        OnControl<BN_CLICKED, IDC_DEFAULT, &CStyloraDlg::OnDefault>(),
        OnControl<BN_CLICKED, IDC_PEN_BUTTON_FIRST, &CStyloraDlg::OnFirstPenButtonLabel>(),
        OnControl<BN_CLICKED, IDC_PEN_BUTTON_SECOND, &CStyloraDlg::OnSecondPenButtonLabel>(),
        OnControl<BN_CLICKED, IDC_CLEAN, &CStyloraDlg::OnBnClickedClean>(),
        OnControl<BN_CLICKED, IDC_DISABLE_PRESSURE, &CStyloraDlg::OnDisablePressure>(),
        OnMessage<CPenPage::kKnobMessage, &CStyloraDlg::OnKnobChanged>(),
        OnMessage<WM_PEN_TOOL_ID, &CStyloraDlg::OnPenId>(),
    };
    static const MessageMap map(CBkDialogKX::GetThisMessageMap(), entries);
    return &map;
}

void CStyloraDlg::DoDataExchange(CDataExchange* exchange)
{
    CBkDialogKX::DoDataExchange(exchange);
    DDX_Control(exchange, IDC_PEN_SETTING, m_penSettingButton);
    DDX_Control(exchange, IDC_MAPPING, m_mappingButton);
    DDX_Control(exchange, IDC_KEY_SETTING, m_keySettingButton);
    DDX_Control(exchange, IDC_ABOUT, m_aboutButton);
    DDX_Control(exchange, IDOK, m_saveButton);
    DDX_Control(exchange, IDCANCEL, m_exitButton);
}

// ---- start-up ---------------------------------------------------------------

void CStyloraDlg::EndAtStartup() { CDialog::EndDialog(IDOK); }

BOOL CStyloraDlg::OnInitDialog()
{
    m_pageState = Brand().penPage.state;
    m_app = CStyloraApp::Instance();
    CBkDialogKX::OnInitDialog();
    AddLanguageMenuItem();
    // Without the service's sections there is nothing to set: end unseen.
    if (m_app == nullptr || !OpenSections()) {
        EndAtStartup();
        return TRUE;
    }
    if (Brand().opensKeyArea)
        m_plainModel = MainDialogRules::IsPlainModel(KeyArea()->record.info.PID);
    // Without the tablet interface there is no try-here area: the dialog ends.
    if (!m_penPage.OpenTabletContext()) {
        EndAtStartup();
        return TRUE;
    }
    if (m_plainModel)
        ::EnableWindow(GetDlgItem(IDC_KEY_SETTING), FALSE);
    m_languageIndex = m_app->LanguageIndex();
    ApplyLanguageLayout();
    if (!LoadBackgroundBitmap(Brand().penPage.background) || !TakePenBlockCopy()) {
        EndAtStartup();
        return TRUE;
    }
    m_penPage.SetServices(PenServices());
    if (!m_penPage.AttachControls(PenSettings(), PenSettingsCopy(), m_plainModel)) {
        EndAtStartup();
        return TRUE;
    }
    // The first labelling fills the parameter list and the pen-button labels:
    // a language the file cannot name gets the built-in texts here.
    LabelFrame(CStyloraApp::ReadLanguageFile(), m_languageIndex);
    SetButtonIcons();
    if (m_app->OsMajorVersion() > 5)
        SetButtonsTransparent();
    m_penPage.CreateViews(PenSettingsCopy());
    LoadOverlay();
    SetIcon(m_icon, true);
    SetIcon(m_icon, false);
    return TRUE;
}

void CStyloraDlg::AddLanguageMenuItem()
{
    HMENU systemMenu = GetSystemMenu();
    if (systemMenu == nullptr)
        return;
    // Wide text: the Chinese word is not ANSI text outside code page 936.
    AppendMenuW(systemMenu, MF_SEPARATOR, 0, nullptr);
    AppendMenuW(systemMenu, MF_STRING, MainDialogRules::kLanguageMenuId, L"Language(\u8BED\u8A00)");
}

bool CStyloraDlg::OpenSections()
{
    const ServiceLink link = m_app->Link();
    // Each view covers what the panel reads: a smaller section does not map.
    if (!link.OpenSection(objnames::PEN_SECTION, sizeof(PenSection), m_penSection))
        return false;
    return !Brand().opensKeyArea ||
           link.OpenSection(objnames::KEY_AREA_SECTION, sizeof(KeyAreaSectionHead), m_keyAreaSection);
}

bool CStyloraDlg::LoadBackgroundBitmap(UINT bitmapId)
{
    const CRect client = GetClientRect();
    HBITMAP bitmap = static_cast<HBITMAP>(LoadImageA(CWinApp::ResourceHandle(), MAKEINTRESOURCEA(bitmapId),
                                                     IMAGE_BITMAP, client.Width(), client.Height(),
                                                     LR_CREATEDIBSECTION | LR_VGACOLOR));
    if (bitmap == nullptr)
        return false;
    if (!m_backgroundDC.GetSafeHdc())
        m_backgroundDC.CreateCompatibleDC(nullptr);
    HGDIOBJ previous = m_backgroundDC.SelectObject(bitmap);
    if (m_backgroundDCDefault == nullptr)
        m_backgroundDCDefault = previous;
    m_background.Attach(bitmap);  // deletes the one it held, no longer selected
    Invalidate(true);
    return true;
}

bool CStyloraDlg::TakePenBlockCopy()
{
    m_penCopy = static_cast<uint8_t*>(HeapAlloc(GetProcessHeap(), 0, kPenBlockSize));
    if (m_penCopy == nullptr)
        return false;
    std::memcpy(m_penCopy, PenBlock(), kPenBlockSize);
    // The second brand offers the pen buttons by the tablets it finds.
    const bool tabletConnected = Brand().penButtonsFromTablets && m_app->EnumConnectedTablets() > 0;
    reinterpret_cast<PENSETTINGS*>(m_penCopy)->penButtonCount = MainDialog::PenButtonCount(Brand(), tabletConnected);
    return true;
}

void CStyloraDlg::ApplyLanguageLayout()
{
    const MainDialog::LanguageLayout layout = MainDialog::LayoutForLanguage(Brand(), m_languageIndex);
    if (!layout.resize)
        return;
    const CRect window = GetWindowRect();
    MoveWindow(window.left, window.top, layout.width, layout.height, TRUE);
    for (const MainDialog::PageButtonPlace& button : layout.buttons)
        ::MoveWindow(GetDlgItem(button.id), button.rect.left, button.rect.top, button.rect.Width(),
                     button.rect.Height(), TRUE);
}

void CStyloraDlg::SetButtonIcons()
{
    m_penSettingButton.SetIcon(IDI_PEN_SETTING, 0);
    m_keySettingButton.SetIcon(IDI_KEY_SETTING, 0);
    m_mappingButton.SetIcon(IDI_MAPPING, 0);
    m_aboutButton.SetIcon(IDI_ABOUT, 0);
    m_saveButton.SetIcon(IDI_SAVE, 0);
    m_exitButton.SetIcon(IDI_EXIT, 0);
}

void CStyloraDlg::SetButtonsTransparent()
{
    for (CButtonKX* button : {&m_penSettingButton, &m_mappingButton, &m_keySettingButton, &m_aboutButton,
                              &m_saveButton, &m_exitButton})
        button->SetTransparent(false);
    m_penPage.SetButtonsTransparent();
}

void CStyloraDlg::LoadOverlay()
{
    HBITMAP overlay = static_cast<HBITMAP>(LoadImageA(CWinApp::ResourceHandle(), MAKEINTRESOURCEA(IDB_OVERLAY),
                                                      IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION | LR_VGACOLOR));
    if (overlay == nullptr)
        return;
    m_overlay.Attach(overlay);
    SIZE size{};
    m_overlay.GetSize(size);
    m_overlayWidth = size.cx;
    m_overlayHeight = size.cy;
    m_overlayDC.CreateCompatibleDC(nullptr);
    m_overlayDCDefault = m_overlayDC.SelectObject(overlay);
}

// ---- texts ----------------------------------------------------------------

void CStyloraDlg::ApplyLanguage(int index)
{
    const LanguageFile file = CStyloraApp::ReadLanguageFile();
    if (file.NamesLanguage(index))
        LabelFrame(file, index);
}

void CStyloraDlg::LabelFrame(const LanguageFile& file, int index)
{
    SetFrameTexts(file, index);
    if (m_penCopy != nullptr)
        m_penPage.ApplyLanguage(PenSettingsCopy());
}

void CStyloraDlg::SetFrameTexts(const LanguageFile& file, int index)
{
    using namespace langkeys;
    const struct {
        int id;
        const LanguageKey& key;
    } captions[] = {
        {IDC_PEN_SETTING, kPenSetting}, {IDC_MAPPING, kMapping}, {IDC_KEY_SETTING, kKeySetting},
        {IDC_ABOUT, kAbout},           {IDOK, kSave},           {IDCANCEL, kExit},
        {IDC_PROFILE, kProfile},       {IDC_TRY_HERE_LABEL, kTryHere},
    };
    for (const auto& caption : captions) {
        const std::string text = file.Text(index, caption.key.key, caption.key.english, caption.key.bufferSize);
        SetItemTextRedraw(caption.id, text.c_str());
    }
    if (Brand().showsPenId)
        SetPenIdText(MainDialogRules::PenIdTextFromBlock(PenBlock(), m_plainModel));
    const struct {
        int id;
        const LanguageKey& key;
    } penCaptions[] = {
        {IDC_CLEAN, kClean}, {IDC_DISABLE_PRESSURE, kDisablePressure}, {IDC_PARAMETER_LABEL, kParameterSetting},
        {IDC_DEFAULT, kDefault},
    };
    for (const auto& caption : penCaptions) {
        const std::string text = file.Text(index, caption.key.key, caption.key.english, caption.key.bufferSize);
        SetItemTextRedraw(caption.id, text.c_str());
    }
}

void CStyloraDlg::SetPenIdText(const std::string& text) { SetItemTextRedraw(IDC_PEN_ID, text.c_str()); }

LRESULT CStyloraDlg::OnPenId(WPARAM wParam, LPARAM lParam)
{
    if (!Brand().showsPenId)
        return 1;
    const uint32_t nibble = static_cast<uint32_t>(wParam & 0xFFFF);
    SetPenIdText(MainDialogRules::PenIdText(nibble, static_cast<uint32_t>(lParam), m_plainModel));
    return 1;
}

// ---- pages ----------------------------------------------------------------

PageAnchor CStyloraDlg::AnchorNow() const
{
    RECT button{};
    ::GetWindowRect(GetDlgItem(IDC_PEN_SETTING), &button);
    return MainDialogRules::AnchorBeside(ToScreenRect(button), ToScreenRect(GetWindowRect()));
}

void CStyloraDlg::ShowPage(CBkDialogKX& page, bool wholeAnchor)
{
    const PageAnchor anchor = AnchorNow();
    page.ShowWindow(SW_SHOW);
    if (wholeAnchor)
        page.SetAnchor(anchor.x, anchor.y, anchor.cx, anchor.cy);
    else
        page.SetAnchorOrigin(anchor.x, anchor.y);
    page.MoveToAnchor();
    page.SetMainWindow(m_hWnd);
}

void CStyloraDlg::ChangeBackground(const MainDialog::PageLook& page)
{
    if (m_pageState == page.state)
        return;
    if (!LoadBackgroundBitmap(static_cast<UINT>(page.background))) {
        CDialog::EndDialog(IDOK);
        return;
    }
    m_pageState = page.state;
}

void CStyloraDlg::DeletePages(bool mapping, bool keys, bool about)
{
    if (mapping)
        m_mappingPage.reset();
    if (keys)
        m_keysPage.reset();
    if (about)
        m_aboutPage.reset();
}

bool CStyloraDlg::HoldsWhileCovered(UINT commandId) const
{
    // A page button deletes pages, and a page may be running a dialog of its own.
    return CBkDialogKX::HoldsWhileCovered(commandId) || commandId == IDC_PEN_SETTING || commandId == IDC_MAPPING ||
           commandId == IDC_KEY_SETTING || commandId == IDC_ABOUT;
}

void CStyloraDlg::OnBnClickedPenSetting()
{
    ChangeBackground(Brand().penPage);
    DeletePages(true, true, true);
}

void CStyloraDlg::OnBnClickedMapping()
{
    ChangeBackground(Brand().mappingPage);
    if (m_mappingPage && !::IsWindow(m_mappingPage->GetSafeHwnd()))
        m_mappingPage.reset();
    if (m_mappingPage) {
        ShowPage(*m_mappingPage, false);
    } else {
        auto page = std::make_unique<CRegionDlg>(this);
        if (!page->Create(CRegionDlg::kTemplateId, this) || !::IsWindow(page->GetSafeHwnd())) {
            ChangeBackground(Brand().penPage);
            return;
        }
        m_mappingPage = std::move(page);
        ShowPage(*m_mappingPage, true);
    }
    DeletePages(false, true, true);
}

void CStyloraDlg::OnBnClickedKeySetting()
{
    if (m_keysPage && !::IsWindow(m_keysPage->GetSafeHwnd()))
        m_keysPage.reset();
    if (m_keysPage) {
        ShowPage(*m_keysPage, false);
    } else {
        auto page = std::make_unique<CQXKeySet>(this);
        const bool created = page->Create(CQXKeySet::kTemplateId, this) && ::IsWindow(page->GetSafeHwnd());
        // Asked before the page's survival: a page that could not start leaves
        // the answer of the last one that did.
        if (Brand().checksNoKeys && CQXKeySet::HasNoExpressKeys()) {
            page.reset();
            const std::string text = CStyloraApp::LanguageText(m_languageIndex, langkeys::kNoKey);
            const std::string title = CStyloraApp::LanguageText(m_languageIndex, langkeys::kNoKeyTitle);
            ::MessageBoxA(m_hWnd, text.c_str(), title.c_str(), MB_OK);
            return;
        }
        if (!created) {
            ChangeBackground(Brand().penPage);
            return;
        }
        m_keysPage = std::move(page);
        ShowPage(*m_keysPage, true);
    }
    DeletePages(true, false, true);
    ChangeBackground(Brand().keyPage);
}

void CStyloraDlg::OnBnClickedAbout()
{
    ChangeBackground(Brand().aboutPage);
    m_aboutPage.reset();
    auto page = std::make_unique<CAboutDlg>(this);
    // A page whose start-up failed has no window left to show.
    if (page->Create(IDD_ABOUT_PAGE, this) && ::IsWindow(page->GetSafeHwnd())) {
        m_aboutPage = std::move(page);
        ShowPage(*m_aboutPage, true);
    }
    DeletePages(true, true, false);
}

void CStyloraDlg::OnMove(int, int)
{
    Default();
    const PageAnchor anchor = AnchorNow();
    for (CBkDialogKX* page : {static_cast<CBkDialogKX*>(m_mappingPage.get()),
                              static_cast<CBkDialogKX*>(m_keysPage.get()),
                              static_cast<CBkDialogKX*>(m_aboutPage.get())}) {
        if (page == nullptr || !::IsWindow(page->GetSafeHwnd()))
            continue;
        page->SetAnchorOrigin(anchor.x, anchor.y);
        page->MoveToAnchor();
    }
}

// ---- Save and Exit ----------------------------------------------------------

void CStyloraDlg::OnOK()
{
    if (m_keysPage) {
        if (::IsWindow(m_keysPage->GetSafeHwnd()))
            m_keysPage->SendKeysToDriver();
        return;
    }
    if (m_mappingPage) {
        if (::IsWindow(m_mappingPage->GetSafeHwnd()))
            m_mappingPage->ApplyMappingToDriver();
        return;
    }
    if (m_aboutPage)
        return;  // nothing to save on the About page
    std::memcpy(m_penCopy, PenBlock(), kPenBlockSize);
    SavePenSettings();
}

int CStyloraDlg::SavePenSettings()
{
    if (m_app == nullptr)
        return 0;
    SaveRequest pen;
    pen.command = CMD_SAVE_PEN_SETTINGS;
    pen.writeDirectly = [this] {
        ProgramFiles folder;
        Win32FileSystem files;
        return SettingsFiles(folder, files, PanelSettingsFilePolicy()).WritePenSettingsFile(PenSettingsCopy());
    };
    // The pen block is stored only when the service was woken to take it.
    return ServiceSave(*m_app).Run(pen) == SaveResult::Done ? 1 : 0;
}

void CStyloraDlg::OnCancel()
{
    OnBnClickedPenSetting();
    if (m_penCopy != nullptr && m_penSection.IsMapped())
        std::memcpy(PenBlock(), m_penCopy, kPenBlockSize);
    CDialog::EndDialog(IDCANCEL);
}

// ---- language ---------------------------------------------------------------

void CStyloraDlg::OnSysCommand(UINT id, LPARAM)
{
    if (MainDialogRules::OpensLanguageDialog(id)) {
        RunLanguageDialog();
        return;
    }
    Default();
}

void CStyloraDlg::RunLanguageDialog()
{
    CLanguage dialog(this);
    if (dialog.DoModal() != IDOK || m_app == nullptr || m_app->LanguageIndex() == m_languageIndex)
        return;
    m_languageIndex = m_app->LanguageIndex();
    m_app->WriteSelectedLanguage(m_languageIndex);
    ApplyLanguage(m_languageIndex);
    if (m_mappingPage && ::IsWindow(m_mappingPage->GetSafeHwnd()))
        m_mappingPage->ApplyLanguage(m_languageIndex);
    if (m_keysPage && ::IsWindow(m_keysPage->GetSafeHwnd()))
        m_keysPage->ApplyLanguage(m_languageIndex);
    if (m_aboutPage && ::IsWindow(m_aboutPage->GetSafeHwnd()))
        m_aboutPage->ReloadAboutText();
}

// ---- pen settings and the try-here area ------------------------------------

PenPageServices CStyloraDlg::PenServices()
{
    PenPageServices services;
    services.text = [this](const char* key, const char* english) {
        return CStyloraApp::LanguageText(m_languageIndex, LanguageKey{key, english, 64});
    };
    services.menuText = [this](uint32_t code) {
        char text[64] = "";
        CStyloraApp::GetFunctionMenuText(m_languageIndex, code, text);
        return std::string(text);
    };
    services.keyNames = &m_keyNames;
    services.runKeyboard = [this](uint8_t (&keys)[PenPageServices::kKeyBufferSize]) {
        static_assert(sizeof m_keyboard.m_keyBuffer == PenPageServices::kKeyBufferSize, "key buffer");
        std::memcpy(m_keyboard.m_keyBuffer, keys, sizeof keys);
        if (m_keyboard.DoModal() != IDOK)
            return false;
        std::memcpy(keys, m_keyboard.m_keyBuffer, sizeof keys);
        return true;
    };
    services.runLaunch = [this](std::string& path, std::string& parameters) {
        if (m_launch.DoModal() != IDOK)
            return false;
        path = m_launch.m_path;
        parameters = m_launch.m_parameters;
        return true;
    };
    return services;
}

BOOL CStyloraDlg::OnCommand(WPARAM wParam, LPARAM lParam)
{
    // The function menu's choices arrive as menu commands.
    if (lParam == 0 && HIWORD(wParam) == 0)
        m_penPage.OnMenuCommand(LOWORD(wParam));
    return CBkDialogKX::OnCommand(wParam, lParam);
}

void CStyloraDlg::OnLButtonDown(UINT flags, CPoint point)
{
    CBkDialogKX::OnLButtonDown(flags, point);
    m_penPage.OnLButtonDown(point);
}

void CStyloraDlg::OnLButtonUp(UINT flags, CPoint point)
{
    m_penPage.OnLButtonUp(flags, point);
    Default();
}

void CStyloraDlg::OnMouseMove(UINT flags, CPoint point)
{
    Default();
    m_penPage.OnMouseMove(flags, point);
}

// ---- painting ---------------------------------------------------------------

HCURSOR CStyloraDlg::OnQueryDragIcon() { return static_cast<HCURSOR>(m_icon); }

void CStyloraDlg::OnPaint()
{
    if (::IsIconic(m_hWnd)) {
        CPaintDC dc(m_hWnd);
        SendMessage(WM_ICONERASEBKGND, reinterpret_cast<WPARAM>(dc.GetSafeHdc()), 0);
        const CRect client = GetClientRect();
        const int x = (client.Width() - GetSystemMetrics(SM_CXICON) + 1) / 2;
        const int y = (client.Height() - GetSystemMetrics(SM_CYICON) + 1) / 2;
        dc.DrawIcon(x, y, m_icon);
        return;
    }
    if (m_app != nullptr && m_app->OsMajorVersion() < 6)
        SetButtonsTransparent();
    CPaintDC dc(m_hWnd);
    const CRect client = GetClientRect();
    if (m_backgroundDC.GetSafeHdc())
        dc.StretchBlt(0, 0, client.Width(), client.Height(), m_backgroundDC, 0, 0, client.Width(), client.Height(),
                      SRCCOPY);
    if (m_overlayDC.GetSafeHdc())
        dc.BitBlt(190, 260, m_overlayWidth, m_overlayHeight, m_overlayDC, 0, 0, SRCCOPY);
}
