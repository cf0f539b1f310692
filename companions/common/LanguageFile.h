// The companions' language file "\Stylora\language.ini" below the Program
// Files folder, read and written with the system's profile functions.
#pragma once

#include "ProfileReader.h"

#include <string>

// Full path of the language file; empty when the folder is unknown.
std::string CompanionLanguageFilePath();

class LanguageFile : public IProfileReader {
public:
    LanguageFile() : path_(CompanionLanguageFilePath()) {}
    explicit LanguageFile(std::string path) : path_(std::move(path)) {}

    const std::string& Path() const { return path_; }
    std::string ReadString(const char* section, const char* key, const char* fallback, size_t room) override;
    int ReadInt(const char* section, const char* key, int fallback) override;
    bool WriteInt(const char* section, const char* key, int value);

private:
    std::string path_;
};
