#include "KeyIniFile.h"

#include "KeyBrandPolicies.h"
#include "ProgramFiles.h"

#include <cstring>

std::string KeyIniFile::ReadString(const char* section, const char* key, const char* fallback) const
{
    char path[MAX_PATH] = {};
    if (!GetKeyIniPath(nullptr, path, m_policy))
        return fallback;
    char value[kValueCapacity] = {};
    GetPrivateProfileStringA(section, key, fallback, value, sizeof value, path);
    value[sizeof value - 1] = '\0';
    return value;
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
