#include "TempFolder.h"

#include <atomic>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <iterator>

namespace fs = std::filesystem;

namespace {
std::string Normalised(std::string relative)
{
    for (char& c : relative)
        if (c == '\\' || c == '/')
            c = static_cast<char>(fs::path::preferred_separator);
    while (!relative.empty() && relative.front() == static_cast<char>(fs::path::preferred_separator))
        relative.erase(relative.begin());
    return relative;
}
}  // namespace

TempFolder::TempFolder()
{
    static std::atomic<int> serial{0};
    auto stamp = std::chrono::steady_clock::now().time_since_epoch().count();
    fs::path path = fs::temp_directory_path() /
                    ("inkbrid-test-" + std::to_string(stamp) + "-" + std::to_string(serial++));
    fs::create_directories(path);
    path_ = path.string();
}

TempFolder::~TempFolder()
{
    std::error_code ignored;
    fs::remove_all(path_, ignored);
}

std::string TempFolder::PathOf(const std::string& relative) const
{
    return (fs::path(path_) / Normalised(relative)).string();
}

void TempFolder::WriteFile(const std::string& relative, const std::vector<uint8_t>& bytes) const
{
    fs::path path = PathOf(relative);
    fs::create_directories(path.parent_path());
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

std::vector<uint8_t> TempFolder::ReadFile(const std::string& relative) const
{
    std::ifstream in(PathOf(relative), std::ios::binary);
    return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

bool TempFolder::Exists(const std::string& relative) const { return fs::exists(PathOf(relative)); }
