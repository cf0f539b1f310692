#include "LanguageIniFile.h"

#include "AnsiCodePage.h"

#include <windows.h>

LanguageFile LanguageIniFile::Read() const
{
    return path_.empty() ? LanguageFile() : LanguageFile::Load(path_, &AnsiCodePage::FromUtf16);
}

bool LanguageIniFile::WriteString(const char* section, const char* key, const char* value)
{
    if (path_.empty())
        return false;
    if (missing_ == Missing::Kept && GetFileAttributesA(path_.c_str()) == INVALID_FILE_ATTRIBUTES)
        return false;
    return WritePrivateProfileStringA(section, key, value, path_.c_str()) != FALSE;
}
