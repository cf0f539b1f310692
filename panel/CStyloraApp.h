// The control panel's application object: one panel at a time, the texts of
// the chosen language, the system language, the Windows major version, GDI+,
// and the list of plugged-in supported tablets. Runs the main dialog and ends
// with it.
#pragma once

#include "CGDIpInitializer.h"
#include "CWinApp.h"
#include "LanguageFile.h"
#include "LanguageIniFile.h"
#include "LanguageKeys.h"
#include "ServiceLink.h"
#include "TabletRecords.h"

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

class CStyloraApp : public CWinApp {
public:
    CStyloraApp();
    ~CStyloraApp() override;

    // The running panel's application object, or null.
    static CStyloraApp* Instance();

    BOOL InitInstance() override;

    // ---- system
    // The one source of the Windows major version for the whole panel; above
    // 5 the panel opens the unprefixed names and saves by command.
    int OsMajorVersion() const { return m_osMajorVersion; }
    // The service as this system meets it.
    ServiceLink Link() const { return ServiceLink::ForSystemVersion(static_cast<uint32_t>(m_osMajorVersion)); }
    uint16_t SystemPrimaryLanguage() const { return m_systemPrimaryLanguage; }
    uint16_t SystemSubLanguage() const { return m_systemSubLanguage; }
    // Re-reads the version (GetVersionExA; 6 when it fails) and the language ids.
    void QuerySystem();

    // ---- language.ini
    static std::string LanguageIniPath();
    // The file's door: read whole, written only while it exists.
    static LanguageIniFile LanguageIni();
    // The file as it is now; an empty document when it is missing.
    static LanguageFile ReadLanguageFile();
    int LanguageIndex() const { return m_languageIndex; }
    void SetLanguageIndex(int index) { m_languageIndex = index; }
    static int ReadSelectedLanguage();
    // The count of languages, and their names when `names` is given.
    static int ReadLanguageList(std::vector<std::string>* names);
    void LoadUiStrings(int index);
    // Loads the language's UI strings, then stores the index in [selected];
    // false when the file is missing (it is never created here) or the write failed.
    bool WriteSelectedLanguage(int index);
    // The "Lience" text of the selected language with its line breaks made.
    std::string ReadAboutText() const;
    // A text of the language: the language file's, else `key`'s English text.
    static std::string LanguageText(int index, const LanguageKey& key);
    const std::string& UiString(langkeys::UiString which) const { return m_uiStrings[which]; }
    // The localized name of a function (menu index or tagged action code)
    // into `out` (64 bytes); `out` stays as it is for codes without a name.
    static void GetFunctionMenuText(int index, uint32_t code, char* out);

    // ---- plugged-in tablets
    // Replaces the list with the supported tablets now attached; their count.
    int EnumConnectedTablets();
    void FreeTabletList();
    const TABLETINFO* TabletList() const { return m_tabletList; }

private:
    bool IsSecondInstance();

    uint16_t m_systemPrimaryLanguage = 0;
    uint16_t m_systemSubLanguage = 0;
    int m_osMajorVersion = 6;
    int m_languageIndex = 0;
    std::string m_uiStrings[langkeys::UiStringCount];
    TABLETINFO* m_tabletList = nullptr;  // process heap, whole records
    int m_tabletCount = 0;
    CGDIpInitializer m_gdiplus{false};
    HANDLE m_instanceEvent = nullptr;  // held for the life of the process
};
