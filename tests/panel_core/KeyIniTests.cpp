// The installed KEY.ini, read the way the panel reads it (the profile-string
// calls), against its readable source: every key of the table in English and
// in the two Chinese sections, each in the code page its users read it in.
#ifdef _WIN32
#include "KeyNames.h"

#include <windows.h>

#include <doctest/doctest.h>

#include <algorithm>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace {

std::string WinePath(std::string path)
{
    for (char& c : path)
        c = c == '/' ? '\\' : c;
    return path[0] == '\\' ? "Z:" + path : path;
}

class InstalledKeyIni : public IProfileSource {
public:
    explicit InstalledKeyIni(std::string path) : path_(std::move(path)) {}
    std::string ReadString(const char* section, const char* key, const char* fallback,
                           size_t room = kValueCapacity) const override
    {
        std::vector<char> value(room + 1, '\0');
        GetPrivateProfileStringA(section, key, fallback, value.data(), static_cast<DWORD>(room), path_.c_str());
        return value.data();
    }

private:
    std::string path_;
};

// The section and code page of each column of the source after the English one.
struct Language {
    const char* section;
    UINT codePage;
};

std::wstring Wide(const std::string& text, UINT codePage)
{
    const int length = MultiByteToWideChar(codePage, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring wide(static_cast<size_t>(length), L'\0');
    MultiByteToWideChar(codePage, 0, text.data(), static_cast<int>(text.size()), wide.data(), length);
    return wide;
}

std::vector<std::vector<std::string>> SourceRows()
{
    std::ifstream in(WinePath(INKBRID_SOURCE_DIR "/data/key_names.tsv"));
    std::vector<std::vector<std::string>> rows;
    for (std::string line; std::getline(in, line);) {
        if (line.empty() || line[0] == '#')
            continue;
        std::vector<std::string> fields;
        std::stringstream split(line);
        for (std::string field; std::getline(split, field, '\t');)
            fields.push_back(field);
        fields.resize(4);
        rows.push_back(fields);
    }
    return rows;
}

}  // namespace

TEST_CASE("KEY.ini: every key's name in English and in both Chinese sections, as its source gives it")
{
    const InstalledKeyIni file(WinePath(INKBRID_PACKAGE_DIR "/Stylora/KEY.ini"));
    const std::vector<std::vector<std::string>> rows = SourceRows();
    REQUIRE(rows.size() == 120);
    const Language languages[] = {{"English", 1252}, {"ChineseSimplified", 936}, {"ChineseTraditional", 950}};
    for (int column = 0; column < 3; ++column) {
        CHECK(file.ReadString("language list", std::to_string(column).c_str(), "") == languages[column].section);
        for (int code = 0; code < 256; ++code) {
            const char* constant = KeyNames::KeyConstantName(static_cast<uint8_t>(code), true);
            if (constant == nullptr)
                continue;
            CAPTURE(code);
            const auto row = std::find_if(rows.begin(), rows.end(), [&](const auto& r) { return r[0] == constant; });
            REQUIRE(row != rows.end());
            const std::string& expected = (*row)[static_cast<size_t>(column) + 1].empty() ? (*row)[1]
                                                                                         : (*row)[static_cast<size_t>(column) + 1];
            const std::string stored = file.ReadString(languages[column].section, constant, "?");
            CHECK(Wide(stored, languages[column].codePage) == Wide(expected, CP_UTF8));
            if (column == 0)
                CHECK(stored == KeyNames::BuiltInText(static_cast<uint8_t>(code), true));
        }
    }
    KeyNames names(file, kStyloraKeyNames);
    CHECK(names.GetKeyDisplayName(13) == "{Enter}");  // the file selects English
}
#endif
