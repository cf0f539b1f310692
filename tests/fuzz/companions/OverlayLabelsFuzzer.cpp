// The overlay's labels built from any key area: a setup byte (language
// file present, its texts' length), then the key area's bytes.
#include "FuzzCheck.h"
#include "OverlayLabels.h"
#include "SharedSections.h"

#include <cstddef>
#include <cstdint>
#include <string>

namespace {

// A language file whose every key holds `length` characters, or none at all.
class FuzzLanguage : public IProfileSource {
public:
    FuzzLanguage(bool present, size_t length) : present_(present), text_(length, 'T') {}
    std::string ReadString(const char*, const char*, const char* fallback, size_t room) const override
    {
        const std::string text = present_ ? text_ : fallback;
        return room == 0 ? std::string() : text.substr(0, room - 1);
    }
    int ReadInt(const char*, const char*, int fallback) const override { return present_ ? 3 : fallback; }

private:
    bool present_;
    std::string text_;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < 1)
        return 0;
    FuzzLanguage language((data[0] & 0x80) != 0, data[0] & 0x7F);
    const std::vector<overlay::Label> labels = overlay::BuildLabels(data + 1, size - 1, language);
    FuzzRequire(labels.size() <= 8, "at most eight labels");
    for (const overlay::Label& label : labels) {
        FuzzRequire(label.text.size() <= overlay::LABEL_MAX_CHARS, "labels fit their buffer");
        FuzzRequire(label.key != 4 && label.key != 9, "strip slots are never labelled");
        FuzzRequire(KEYAREA_KEYS_OFFSET + KEYACTION_SIZE * size_t(label.key + 1) <= size - 1,
                    "labelled keys lie inside the area");
    }
    return 0;
}
