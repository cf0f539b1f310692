#include "LanguageListEntry.h"

namespace language_list {

namespace {

constexpr unsigned kChinesePrimary = 4;
constexpr unsigned kSimplifiedSub = 2;

enum class Suffix { None, Simplified, Big5 };

struct SuffixText {
    std::string_view gbk;
    std::u16string_view utf16;
};

// "(简体中文)" in the GBK code page and in UTF-16.
constexpr SuffixText kSimplified{"(\xBC\xF2\xCC\xE5\xD6\xD0\xCE\xC4)", u"(\u7B80\u4F53\u4E2D\u6587)"};
constexpr SuffixText kBig5{"(Big5)", u"(Big5)"};
constexpr SuffixText kNone{"", u""};

Suffix SuffixOf(std::string_view name, unsigned primaryLanguage, unsigned subLanguage)
{
    if (name == "Chinese Simple")
        return primaryLanguage == kChinesePrimary && subLanguage == kSimplifiedSub ? Suffix::Simplified
                                                                                    : Suffix::None;
    if (name == "Chinese trad")
        return Suffix::Big5;
    return Suffix::None;
}

const SuffixText& TextOf(Suffix suffix)
{
    switch (suffix) {
    case Suffix::Simplified: return kSimplified;
    case Suffix::Big5: return kBig5;
    case Suffix::None: break;
    }
    return kNone;
}

}  // namespace

std::string AnsiEntry(const std::string& name, unsigned primaryLanguage, unsigned subLanguage)
{
    return name + std::string(TextOf(SuffixOf(name, primaryLanguage, subLanguage)).gbk);
}

std::u16string_view WideSuffix(std::string_view name, unsigned primaryLanguage, unsigned subLanguage)
{
    return TextOf(SuffixOf(name, primaryLanguage, subLanguage)).utf16;
}

}  // namespace language_list
