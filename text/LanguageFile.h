// language.ini as the panels and the companions read it: [language list] with "num" and the
// numbered language names, [selected] "language", and one section of texts
// per language; and its one write, of the selected language. Parsed from the
// file's bytes with the profile-file rules (names compared without case,
// blanks around keys and values dropped, the first of repeated sections and
// keys wins), so a missing, cut or hostile file only ever yields the English
// defaults. A file saved as Unicode (UTF-16 with its byte-order mark) reads
// as the profile functions read it: turned into the program's ANSI code page
// first.
#pragma once

#include "ProfileSource.h"

#include <cstddef>
#include <map>
#include <string>
#include <string_view>
#include <vector>

class LanguageFile : public IProfileSource {
public:
    // Text buffers of the panel and the overlay: most texts fit 64 bytes, the
    // About text 1024. Mousora reads names and texts into 128 bytes.
    static constexpr size_t kTextBuffer = 64;
    static constexpr size_t kAboutBuffer = 1024;
    // A language count read from the file is cut to this many entries.
    static constexpr int kMaxLanguages = 64;

    // A file larger than this is read only this far.
    static constexpr size_t kMaxFileSize = 1 << 20;

    // The program's conversion of UTF-16 text into its ANSI code page; the
    // Windows programs pass the system's, as the profile functions use it.
    using WideToAnsi = std::string (*)(std::u16string_view text);

    LanguageFile() = default;
    explicit LanguageFile(std::string_view contents) { Parse(contents); }
    // The file at `path`; a missing or unreadable one reads as empty.
    static LanguageFile Load(const std::string& path, WideToAnsi toAnsi);
    // A file's bytes as they are parsed: UTF-16 behind a byte-order mark
    // (either byte order) turned into ANSI text, any other file as it is.
    static std::string ProfileText(const std::string& bytes, WideToAnsi toAnsi);
    void Parse(std::string_view contents);

    // [selected] "language"; 0 when missing.
    int SelectedLanguage() const;
    // [language list] "num", 0 when missing, at or below 0, and at most kMaxLanguages.
    int LanguageCount() const;
    // [language list] "<index>", "English" when missing, at most bufferSize - 1 bytes.
    std::string LanguageName(int index, size_t bufferSize = kTextBuffer) const;
    // The names of languages 0 .. LanguageCount() - 1, as LanguageName reads them.
    std::vector<std::string> LanguageNames(size_t bufferSize = kTextBuffer) const;
    // False when the index's entry reads as nothing: a key there with an
    // empty value names no section (a missing key names "English").
    bool NamesLanguage(int index) const { return !LanguageName(index).empty(); }
    // The key's text in the language's section (named by its list entry, read
    // into nameBufferSize bytes), `english` when missing; at most bufferSize - 1 bytes.
    std::string Text(int index, std::string_view key, std::string_view english,
                     size_t bufferSize = kTextBuffer, size_t nameBufferSize = kTextBuffer) const;
    // The About text ("Lience"), empty by default, with its line breaks made.
    // `isLeadByte` tells the first bytes of double-byte characters.
    std::string AboutText(int index, bool (*isLeadByte)(unsigned char)) const;

    // Stores `index` in decimal as [selected] "language".
    static bool WriteSelectedLanguage(IProfileTarget& file, int index);

    std::string ReadString(const char* section, const char* key, const char* fallback,
                           size_t room = kValueCapacity) const override;
    int ReadInt(const char* section, const char* key, int fallback) const override;

    // Each single-byte "|" becomes a newline; a "|" that is the second byte of
    // a double-byte character stays.
    static void MakeLineBreaks(std::string& text, bool (*isLeadByte)(unsigned char));
    // The lead bytes of code pages 936 and 950: 0x81..0xFE.
    static bool IsEastAsianLeadByte(unsigned char byte) { return byte >= 0x81 && byte <= 0xFE; }

private:
    static std::string Fold(std::string_view name);
    const std::string* Find(std::string_view section, std::string_view key) const;
    // A raw value, cut to bufferSize - 1 bytes; `fallback` when missing.
    std::string Value(std::string_view section, std::string_view key, std::string_view fallback,
                      size_t bufferSize) const;

    // Folded section name -> folded key -> value.
    std::map<std::string, std::map<std::string, std::string>> sections_;
};
