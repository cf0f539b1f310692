#include "KeyIniFile.h"

#include "KeyBrandPolicies.h"
#include "ProgramFiles.h"

#include <cstring>
#include <vector>

std::string KeyIniFile::ReadString(const char* section, const char* key, const char* fallback, size_t room) const
{
    if (room == 0)
        return {};
    char path[MAX_PATH] = {};
    if (!GetKeyIniPath(nullptr, path, m_policy))
        return std::string(fallback).substr(0, room - 1);
    std::vector<char> value(room, '\0');
    GetPrivateProfileStringA(section, key, fallback, value.data(), static_cast<DWORD>(room), path);
    value.back() = '\0';
    return value.data();
}

BOOL KeyIniFile::GetKeyIniPath(HWND, char* path, const KeyNamePolicy& policy)
{
    char folder[MAX_PATH] = {};
    const BOOL found = ProgramFiles::Folder(folder, sizeof folder) ? TRUE : FALSE;
    const size_t folderLength = std::strlen(folder);
    const size_t suffixLength = std::strlen(policy.fileSuffix);
    if (folderLength + suffixLength >= MAX_PATH) {
        path[0] = '\0';
        return FALSE;
    }
    std::memcpy(path, folder, folderLength);
    std::memcpy(path + folderLength, policy.fileSuffix, suffixLength + 1);
    return found;
}

std::string GetKeyDisplayName(uint8_t code)
{
    const KeyIniFile file(PanelKeyNamePolicy());
    return KeyNames(file, file.Policy()).GetKeyDisplayName(code);
}
