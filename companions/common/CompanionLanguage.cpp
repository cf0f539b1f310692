#include "CompanionLanguage.h"

#include "AnsiCodePage.h"
#include "ProgramFiles.h"

#include <windows.h>

#include <cstdio>

namespace {

constexpr const char* LANGUAGE_FILE = "\\Stylora\\language.ini";

}  // namespace

std::string CompanionLanguageFilePath() { return ProgramFiles::Path(LANGUAGE_FILE); }

LanguageFile ReadCompanionLanguage()
{
    const std::string path = CompanionLanguageFilePath();
    return path.empty() ? LanguageFile() : LanguageFile::Load(path, &AnsiCodePage::FromUtf16);
}

bool WriteCompanionLanguageInt(const char* section, const char* key, int value)
{
    const std::string path = CompanionLanguageFilePath();
    if (path.empty())
        return false;
    char text[16];
    std::snprintf(text, sizeof text, "%d", value);
    return WritePrivateProfileStringA(section, key, text, path.c_str()) != FALSE;
}
