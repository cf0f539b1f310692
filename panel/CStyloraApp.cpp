#include "CStyloraApp.h"

#include "ActionNames.h"
#include "CStyloraDlg.h"
#include "ConnectedTablets.h"
#include "LanguageIniFile.h"
#include "ProgramFiles.h"
#include "ServiceCodes.h"
#include "UsbCheck.h"
#include "Win32FileSystem.h"

#include <cstring>

namespace {

constexpr const char* kInstanceEventName = "belmortarsinStyloraEvent";
bool IsActiveCodePageLeadByte(unsigned char byte) { return IsDBCSLeadByte(byte) != FALSE; }

}  // namespace

CStyloraApp::CStyloraApp() = default;

CStyloraApp::~CStyloraApp() { FreeTabletList(); }

CStyloraApp* CStyloraApp::Instance() { return dynamic_cast<CStyloraApp*>(CWinApp::Current()); }

bool CStyloraApp::IsSecondInstance()
{
    m_instanceEvent = CreateEventA(nullptr, TRUE, FALSE, kInstanceEventName);
    return m_instanceEvent != nullptr && GetLastError() == ERROR_ALREADY_EXISTS;
}

BOOL CStyloraApp::InitInstance()
{
    if (IsSecondInstance())
        return FALSE;  // a second panel ends silently
    m_languageIndex = ReadSelectedLanguage();
    LoadUiStrings(m_languageIndex);
    QuerySystem();
    m_gdiplus.Initialize();
    {
        CStyloraDlg dialog;
        m_pMainWnd = &dialog;
        dialog.DoModal();
        m_pMainWnd = nullptr;
    }
    m_gdiplus.Deinitialize();
    return FALSE;
}

void CStyloraApp::QuerySystem()
{
    const LANGID language = GetSystemDefaultLangID();
    m_systemPrimaryLanguage = static_cast<uint16_t>(language & 0x3FF);
    m_systemSubLanguage = static_cast<uint16_t>(language >> 10);
    OSVERSIONINFOA version{};
    version.dwOSVersionInfoSize = sizeof version;
    m_osMajorVersion = GetVersionExA(&version) ? static_cast<int>(version.dwMajorVersion) : 6;
}

std::string CStyloraApp::LanguageIniPath() { return ProgramFiles::Path("\\Tablet\\language.ini"); }

LanguageIniFile CStyloraApp::LanguageIni()
{
    // Installed data: the panel never creates it.
    return LanguageIniFile(LanguageIniPath(), LanguageIniFile::Missing::Kept);
}

LanguageFile CStyloraApp::ReadLanguageFile() { return LanguageIni().Read(); }

int CStyloraApp::ReadSelectedLanguage() { return ReadLanguageFile().SelectedLanguage(); }

int CStyloraApp::ReadLanguageList(std::vector<std::string>* names)
{
    const LanguageFile file = ReadLanguageFile();
    if (names != nullptr)
        *names = file.LanguageNames();
    return file.LanguageCount();
}

void CStyloraApp::LoadUiStrings(int index)
{
    const LanguageFile file = ReadLanguageFile();
    for (int i = 0; i < langkeys::UiStringCount; ++i) {
        const LanguageKey& key = langkeys::UiStringKey(static_cast<langkeys::UiString>(i));
        m_uiStrings[i] = file.Text(index, key.key, key.english, key.bufferSize);
    }
}

bool CStyloraApp::WriteSelectedLanguage(int index)
{
    LoadUiStrings(index);
    LanguageIniFile file = LanguageIni();
    return LanguageFile::WriteSelectedLanguage(file, index);
}

std::string CStyloraApp::ReadAboutText() const
{
    return ReadLanguageFile().AboutText(m_languageIndex, &IsActiveCodePageLeadByte);
}

std::string CStyloraApp::LanguageText(int index, const LanguageKey& key)
{
    return ReadLanguageFile().Text(index, key.key, key.english, key.bufferSize);
}

void CStyloraApp::GetFunctionMenuText(int index, uint32_t code, char* out)
{
    const LanguageKey* key = action_names::FunctionName(code);
    if (key == nullptr || out == nullptr)
        return;
    const std::string text = LanguageText(index, *key);
    std::memcpy(out, text.c_str(), text.size() + 1);  // at most 63 bytes and the end
}

int CStyloraApp::EnumConnectedTablets()
{
    FreeTabletList();
    const std::string path = ProgramFiles::Path(SUPPORTED_DEVICES_FILE);
    if (path.empty() || GetFileAttributesA(path.c_str()) == INVALID_FILE_ATTRIBUTES)
        return 0;
    HMODULE library = LoadLibraryA(USB_CHECK_LIBRARY);
    if (library == nullptr)
        return 0;
    const auto enumerate =
        reinterpret_cast<EnumUsbIdFunction>(reinterpret_cast<void*>(GetProcAddress(library, USB_CHECK_EXPORT)));
    if (enumerate == nullptr) {
        FreeLibrary(library);
        return 0;
    }
    USBIDPAIR pairs[USB_ID_ROOM] = {};
    const int reported = enumerate(pairs);
    FreeLibrary(library);

    Win32FileSystem files;
    const std::vector<TABLETINFO> kept = ConnectedTablets::Match(files, path.c_str(), pairs, reported);
    if (kept.empty())
        return 0;
    void* list = HeapAlloc(GetProcessHeap(), 0, kept.size() * sizeof(TABLETINFO));
    if (list == nullptr)
        return 0;
    std::memcpy(list, kept.data(), kept.size() * sizeof(TABLETINFO));
    m_tabletList = static_cast<TABLETINFO*>(list);
    m_tabletCount = static_cast<int>(kept.size());
    return m_tabletCount;
}

void CStyloraApp::FreeTabletList()
{
    if (m_tabletList != nullptr)
        HeapFree(GetProcessHeap(), 0, m_tabletList);
    m_tabletList = nullptr;
    m_tabletCount = 0;
}
