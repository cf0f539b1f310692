// A fresh folder below the system's temporary folder, removed with its content.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

class TempFolder {
public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::string& Path() const { return path_; }
    // Path of `relative` (written with backslashes or slashes) inside the folder.
    std::string PathOf(const std::string& relative) const;
    void WriteFile(const std::string& relative, const std::vector<uint8_t>& bytes) const;
    std::vector<uint8_t> ReadFile(const std::string& relative) const;
    bool Exists(const std::string& relative) const;

private:
    std::string path_;
};
