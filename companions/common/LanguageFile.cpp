#include "LanguageFile.h"

#include "ProgramFiles.h"

#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <vector>

namespace {

constexpr const char* LANGUAGE_FILE = "\\Stylora\\language.ini";

}  // namespace

std::string CompanionLanguageFilePath() { return ProgramFiles::Path(LANGUAGE_FILE); }

std::string LanguageFile::ReadString(const char* section, const char* key, const char* fallback, size_t room)
{
    if (room == 0)
        return {};
    std::vector<char> text(room, '\0');
    if (path_.empty())
        return std::string(fallback).substr(0, room - 1);
    GetPrivateProfileStringA(section, key, fallback, text.data(), static_cast<DWORD>(room), path_.c_str());
    text.back() = '\0';
    return text.data();
}

int LanguageFile::ReadInt(const char* section, const char* key, int fallback)
{
    if (path_.empty())
        return fallback;
    return static_cast<int>(GetPrivateProfileIntA(section, key, fallback, path_.c_str()));
}

bool LanguageFile::WriteInt(const char* section, const char* key, int value)
{
    if (path_.empty())
        return false;
    char text[16];
    std::snprintf(text, sizeof text, "%d", value);
    return WritePrivateProfileStringA(section, key, text, path_.c_str()) != FALSE;
}
