// The panel's readers of installed files: language.ini (any bytes) and the
// supported-device table matched against a reported device list whose count
// the USB check library returns. Promises: every text fits the buffer it is
// read into, the language count stays within 0..64, the About text keeps
// double-byte characters whole, and the tablet list holds only whole, reported
// records read from within the file and the reported room.
#include "ConnectedTablets.h"
#include "FuzzCheck.h"
#include "FuzzInput.h"
#include "LanguageFile.h"
#include "LanguageKeys.h"
#include "MemoryFileSystem.h"

#include <cstring>
#include <string>
#include <vector>

namespace {

#pragma pack(push, 1)
struct ReadersSetup {
    int32_t reportedCount;
    uint16_t languageLength;
    uint16_t tableLength;
    int8_t languageIndex;
};
#pragma pack(pop)

void CheckLanguageFile(const LanguageFile& file, int index)
{
    const int count = file.LanguageCount();
    FuzzRequire(count >= 0 && count <= LanguageFile::kMaxLanguages, "the language count is bounded");
    FuzzRequire(file.LanguageName(index).size() < LanguageFile::kTextBuffer, "a name fits 64 bytes");
    size_t keys = 0;
    const LanguageKey* table = langkeys::AllKeys(&keys);
    for (size_t i = 0; i < keys; ++i) {
        const std::string text = file.Text(index, table[i].key, table[i].english, table[i].bufferSize);
        FuzzRequire(text.size() < table[i].bufferSize, "a text fits its buffer");
    }
    const std::string raw = file.Text(index, "Lience", "", LanguageFile::kAboutBuffer);
    const std::string about = file.AboutText(index, &LanguageFile::IsEastAsianLeadByte);
    FuzzRequire(about.size() == raw.size(), "line breaks replace bytes one for one");
    for (size_t i = 0; i < raw.size(); ++i) {
        if (LanguageFile::IsEastAsianLeadByte(static_cast<unsigned char>(raw[i]))) {
            FuzzRequire(about[i] == raw[i], "lead bytes stay");
            if (i + 1 < raw.size())
                FuzzRequire(about[i + 1] == raw[i + 1], "trail bytes stay");
            ++i;
        } else {
            FuzzRequire(about[i] == (raw[i] == '|' ? '\n' : raw[i]), "single-byte bars become breaks");
        }
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    FuzzInput input(data, size);
    const ReadersSetup setup = input.Read<ReadersSetup>();
    std::vector<USBIDPAIR> pairs(USB_ID_ROOM);
    input.Bytes(pairs.data(), pairs.size() * sizeof(USBIDPAIR));
    size_t languageLength = 0;
    const uint8_t* language = input.Take(setup.languageLength, languageLength);
    size_t tableLength = 0;
    const uint8_t* table = input.Take(setup.tableLength, tableLength);

    CheckLanguageFile(LanguageFile(std::string(reinterpret_cast<const char*>(language), languageLength)),
                      setup.languageIndex);

    MemoryFileSystem files;
    const char* path = "C:\\Program Files\\Tablet\\StyloraInfo.ked";
    files.files[path].assign(table, table + tableLength);
    const std::vector<TABLETINFO> kept = ConnectedTablets::Match(files, path, pairs.data(), setup.reportedCount);
    FuzzRequire(files.openFiles == 0, "the table is closed");
    FuzzRequire(kept.size() <= tableLength / sizeof(TABLETINFO), "only whole records are kept");
    const int usable = ConnectedTablets::UsableCount(setup.reportedCount);
    for (const TABLETINFO& record : kept) {
        bool reported = false;
        for (int i = 0; i < usable; ++i)
            reported = reported || (pairs[i].vid == record.VID && pairs[i].pid == record.PID);
        FuzzRequire(reported, "a kept record was reported within the room");
    }
    return 0;
}
