#include "LanguageFile.h"

#include <cctype>
#include <cstdio>
#include <fstream>

namespace {

std::string_view Trim(std::string_view text)
{
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t'))
        text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t' || text.back() == '\r'))
        text.remove_suffix(1);
    return text;
}

// The profile functions drop one pair of matching quotes around a value.
std::string_view Unquote(std::string_view value)
{
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') && value.back() == value.front())
        return value.substr(1, value.size() - 2);
    return value;
}

std::string Cut(std::string_view text, size_t bufferSize)
{
    if (bufferSize == 0)
        return std::string();
    return std::string(text.substr(0, bufferSize - 1));
}

std::string IndexKey(int index)
{
    char key[16];
    std::snprintf(key, sizeof key, "%d", index);
    return key;
}

constexpr const char* kListSection = "language list";
constexpr const char* kSelectedSection = "selected";
constexpr const char* kSelectedKey = "language";

}  // namespace

std::string LanguageFile::Fold(std::string_view name)
{
    std::string folded(name);
    for (char& c : folded)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return folded;
}

LanguageFile LanguageFile::Load(const std::string& path, WideToAnsi toAnsi)
{
    std::string contents;
    std::ifstream file(path, std::ios::binary);
    char chunk[4096];
    while (file && contents.size() < kMaxFileSize) {
        file.read(chunk, sizeof chunk);
        contents.append(chunk, static_cast<size_t>(file.gcount()));
    }
    if (contents.size() > kMaxFileSize)
        contents.resize(kMaxFileSize);
    return LanguageFile(ProfileText(contents, toAnsi));
}

std::string LanguageFile::ProfileText(const std::string& bytes, WideToAnsi toAnsi)
{
    if (bytes.size() < 2)
        return bytes;
    const unsigned char first = static_cast<unsigned char>(bytes[0]);
    const unsigned char second = static_cast<unsigned char>(bytes[1]);
    const bool littleEndian = first == 0xFF && second == 0xFE;
    if (!littleEndian && !(first == 0xFE && second == 0xFF))
        return bytes;
    std::u16string text;
    text.reserve(bytes.size() / 2);
    // A last odd byte is half a character: dropped.
    for (size_t at = 2; at + 1 < bytes.size(); at += 2) {
        const unsigned low = static_cast<unsigned char>(bytes[littleEndian ? at : at + 1]);
        const unsigned high = static_cast<unsigned char>(bytes[littleEndian ? at + 1 : at]);
        text.push_back(static_cast<char16_t>(low | high << 8));
    }
    return toAnsi != nullptr ? toAnsi(text) : std::string();
}

void LanguageFile::Parse(std::string_view contents)
{
    sections_.clear();
    std::map<std::string, std::string>* current = nullptr;
    bool skipping = false;  // inside a repeated section: the first one wins
    while (!contents.empty()) {
        const size_t end = contents.find('\n');
        std::string_view line = Trim(contents.substr(0, end));
        contents.remove_prefix(end == std::string_view::npos ? contents.size() : end + 1);
        if (line.empty() || line.front() == ';')
            continue;
        if (line.front() == '[') {
            const size_t close = line.find(']');
            const std::string name = Fold(Trim(line.substr(1, close == std::string_view::npos ? line.size() - 1
                                                                                             : close - 1)));
            skipping = sections_.count(name) != 0;
            current = skipping ? nullptr : &sections_[name];
            continue;
        }
        if (current == nullptr || skipping)
            continue;
        const size_t equals = line.find('=');
        if (equals == std::string_view::npos)
            continue;
        const std::string key = Fold(Trim(line.substr(0, equals)));
        current->emplace(key, std::string(Unquote(Trim(line.substr(equals + 1)))));
    }
}

const std::string* LanguageFile::Find(std::string_view section, std::string_view key) const
{
    const auto s = sections_.find(Fold(Trim(section)));
    if (s == sections_.end())
        return nullptr;
    const auto k = s->second.find(Fold(Trim(key)));
    return k == s->second.end() ? nullptr : &k->second;
}

int LanguageFile::ReadInt(const char* section, const char* key, int fallback) const
{
    const std::string* value = Find(section, key);
    return value == nullptr ? fallback : ParseInt(*value, fallback);
}

std::string LanguageFile::ReadString(const char* section, const char* key, const char* fallback, size_t room) const
{
    return Value(section, key, fallback, room);
}

std::string LanguageFile::Value(std::string_view section, std::string_view key, std::string_view fallback,
                                size_t bufferSize) const
{
    const std::string* value = Find(section, key);
    return Cut(value ? std::string_view(*value) : fallback, bufferSize);
}

int LanguageFile::SelectedLanguage() const { return ReadInt(kSelectedSection, kSelectedKey, 0); }

bool LanguageFile::WriteSelectedLanguage(IProfileTarget& file, int index)
{
    return file.WriteString(kSelectedSection, kSelectedKey, IndexKey(index).c_str());
}

int LanguageFile::LanguageCount() const
{
    const int count = ReadInt(kListSection, "num", 0);
    if (count <= 0)
        return 0;
    return count > kMaxLanguages ? kMaxLanguages : count;
}

std::string LanguageFile::LanguageName(int index, size_t bufferSize) const
{
    return Value(kListSection, IndexKey(index), "English", bufferSize);
}

std::vector<std::string> LanguageFile::LanguageNames(size_t bufferSize) const
{
    std::vector<std::string> names;
    const int count = LanguageCount();
    for (int i = 0; i < count; ++i)
        names.push_back(LanguageName(i, bufferSize));
    return names;
}

std::string LanguageFile::Text(int index, std::string_view key, std::string_view english, size_t bufferSize,
                               size_t nameBufferSize) const
{
    return Value(LanguageName(index, nameBufferSize), key, english, bufferSize);
}

std::string LanguageFile::AboutText(int index, bool (*isLeadByte)(unsigned char)) const
{
    std::string text = Text(index, "Lience", "", kAboutBuffer);
    MakeLineBreaks(text, isLeadByte);
    return text;
}

void LanguageFile::MakeLineBreaks(std::string& text, bool (*isLeadByte)(unsigned char))
{
    for (size_t i = 0; i < text.size(); ++i) {
        const unsigned char byte = static_cast<unsigned char>(text[i]);
        if (isLeadByte != nullptr && isLeadByte(byte)) {
            ++i;  // the trail byte may be any value, "|" among them
            continue;
        }
        if (byte == '|')
            text[i] = '\n';
    }
}
