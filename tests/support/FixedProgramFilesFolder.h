// The Program Files folder door answering one fixed folder: the record
// files' tests reach their temporary folder through it.
#pragma once

#include "FileSystem.h"

#include <cstring>
#include <string>
#include <utility>

class FixedProgramFilesFolder : public IProgramFilesFolder {
public:
    explicit FixedProgramFilesFolder(std::string path) : path_(std::move(path)) {}

    bool ProgramFilesFolder(char* buffer, size_t size) override
    {
        if (buffer == nullptr || path_.size() >= size)
            return false;
        std::memcpy(buffer, path_.c_str(), path_.size() + 1);
        return true;
    }

private:
    std::string path_;
};
