// A language.ini on disk as the programs meet it: read whole into a
// LanguageFile through the system's code-page conversion (so a file saved as
// Unicode reads as the profile functions read it), written one value at a
// time with the profile function.
#pragma once

#include "LanguageFile.h"

#include <string>
#include <utility>

class LanguageIniFile : public IProfileTarget {
public:
    enum class Missing {
        Created,  // a write creates a missing file
        Kept,     // installed data: a missing file stays missing and the write fails
    };

    // An empty path (the folder is unknown) reads as an empty file and takes no writes.
    LanguageIniFile(std::string path, Missing missing) : path_(std::move(path)), missing_(missing) {}

    LanguageFile Read() const;
    bool WriteString(const char* section, const char* key, const char* value) override;

private:
    std::string path_;
    Missing missing_;
};
