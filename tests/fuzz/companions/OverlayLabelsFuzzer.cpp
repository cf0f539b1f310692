// The overlay's labels built from any key area: a setup byte (language
// file present, its texts' length), then the key area's bytes.
#include "ActionNames.h"
#include "FuzzCheck.h"
#include "OverlayLabels.h"
#include "SharedSections.h"

#include <cstddef>
#include <cstdint>
#include <string>

namespace {

// A language file whose selected language and every function name hold
// `length` characters, or no file at all.
LanguageFile FuzzLanguage(bool present, size_t length)
{
    if (!present)
        return LanguageFile();
    const std::string text(length, 'T');
    std::string file = "[selected]\nlanguage=3\n[language list]\n3=" + text + "\n[" +
                       text.substr(0, LanguageFile::kTextBuffer - 1) + "]\n";
    for (int i = 0; i < action_names::kFunctionMenuEntries; ++i)
        file += std::string(action_names::FunctionName(static_cast<uint32_t>(i))->key) + "=" + text + "\n";
    return LanguageFile(file);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < 1)
        return 0;
    const LanguageFile language = FuzzLanguage((data[0] & 0x80) != 0, data[0] & 0x7F);
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
