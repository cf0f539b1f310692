#include "KeyboardLayout.h"

#include <algorithm>
#include <cstdlib>

void KeyboardLayout::AddKey(uint8_t character, uint8_t keyCode, int32_t width)
{
    keys_.push_back(KEYDEF{character, keyCode, std::string(), width});
}

namespace {

// One row per string, in the notation of the keyboard's description: "c/w"
// a key of virtual-key code c and width w (tenths), "a-b/w" the keys a..b,
// "QWERTY/w" letter keys, "gw" a gap of width w. A negative width reaches
// the right edge.
using Layout = std::vector<const char*>;

const Layout kStandard = {
    "27/10 g16 112-115/10 g10 116-119/10 g10 120-123/10 g12 44/18 145/18 19/18",
    "192/12 49-57/12 48/12 189/12 187/12 8/14 g12 45/18 36/18 33/18 g13 144/24 111/12 106/-12",
    "9/14 QWERTYUIOP/12 219/12 221/12 220/12 g12 46/18 35/18 34/18 g13 103-105/12 109/-12",
    "20/18 ASDFGHJKL/12 186/12 222/12 13/20 g78 100-102/12 107/-12",
    "160/25 ZXCVBNM/12 188/12 190/12 191/12 161/25 g30 38/18 g30 97-99/12 13/-12",
    "162/16 91/16 164/16 32/72 165/16 92/16 163/16 g12 37/18 40/18 39/18 g12 96/24 110/-24",
};

const char* const kFunctionRow = "27/10 g18 112-115/10 g10 116-119/10 g10 120-123/10 g12 44/18 145/18 19/18";

const Layout kLanguage3 = {
    kFunctionRow,
    "220/12 49-57/12 48/12 219/12 221/12 8/14 g12 45/18 36/18 33/18",
    "9/14 QWERTZUIOP/12 186/12 187/12 191/12 g12 46/18 35/18 34/18",
    "20/18 ASDFGHJKL/12 192/12 222/12 13/20",
    "160/13 226/12 YXCVBNM/12 188/12 190/12 189/12 161/25 g30 38/18",
    "162/16 91/16 164/16 32/73 165/16 92/16 163/16 g12 37/18 40/18 39/18",
};

const Layout kLanguage4 = {
    kLanguage3[0], kLanguage3[1],
    "9/14 QWERTYUIOP/12 186/12 187/12 191/12 g12 46/18 35/18 34/18",
    kLanguage3[3],
    "160/13 226/12 ZXCVBNM/12 188/12 190/12 189/12 161/25 g30 38/18",
    kLanguage3[5],
};

const Layout kLanguage5 = {
    kFunctionRow,
    "192/12 49-57/12 48/12 189/12 187/12 8/14 g12 45/18 36/18 33/18",
    "9/14 QWERTYUIOP/12 219/12 221/12 220/12 g12 46/18 35/18 34/18",
    "20/18 ASDFGHJKL/12 186/12 222/12 13/20",
    "160/25 ZXCVBNM/12 188/12 190/12 191/12 161/25 g30 38/18",
    "162/16 91/16 164/16 25/16 32/41 21/16 165/16 92/16 163/16 g12 37/18 40/18 39/18",
};

const Layout kJapanese = {
    "27/10 243/12 112-115/10 g13 116-119/10 g13 120-123/10 g12",
    "49-57/13 48/13 189/13 187/13 8/13 g13 36/18 33/18 g13 144/24 111/12 106/-12",
    "9/14 QWERTYUIOP/13 219/13 221/12 g13 35/18 34/18 g13 103-105/12 109/-12",
    "20/18 ASDFGHJKL/12 186/12 222/12 13/19 g13 45/18 19/18 g13 100-102/12 107/-12",
    "160/24 ZXCVBNM/12 188/12 190/12 191/12 38/12 161/13 g13 44/18 145/18 g13 97-99/12 13/-12",
    "162/12 91/12 164/12 28/13 32/47 29/13 165/12 93/12 37/12 40/12 39/12 g61 96/24 110/-24",
};

}  // namespace

void KeyboardLayout::AddRow(const char* row)
{
    AddKey(0, 0, rows_++);
    for (const char* at = row; *at != '\0';) {
        char* end = nullptr;
        if (*at == ' ') {
            ++at;
        } else if (*at == 'g') {
            AddKey(kGap, 0, static_cast<int32_t>(std::strtol(at + 1, &end, 10)));
            at = end;
        } else if (*at >= 'A' && *at <= 'Z') {
            const char* letters = at;
            while (*at >= 'A' && *at <= 'Z')
                ++at;
            const auto width = static_cast<int32_t>(std::strtol(at + 1, &end, 10));
            for (const char* letter = letters; letter < at; ++letter)
                AddKey(static_cast<uint8_t>(*letter - 'A' + 'a'), static_cast<uint8_t>(*letter), width);
            at = end;
        } else {
            const long first = std::strtol(at, &end, 10);
            const long last = *end == '-' ? std::strtol(end + 1, &end, 10) : first;
            const auto width = static_cast<int32_t>(std::strtol(end + 1, &end, 10));
            for (long code = first; code <= last; ++code)
                AddKey(0, static_cast<uint8_t>(code), width);
            at = end;
        }
    }
}

void KeyboardLayout::SelectLayout(int languageIndex)
{
    keys_.clear();
    rows_ = 0;
    // The second brand has no layout of its own for index 6: the standard one
    // keeps its keyboard from coming up without rows.
    if (languageIndex < 0 || languageIndex > 6 || (languageIndex == 6 && !policy_.hasJapaneseLayout))
        languageIndex = 0;
    static const Layout* const layouts[] = {&kStandard, &kStandard, &kStandard, &kLanguage3,
                                            &kLanguage4, &kLanguage5, &kJapanese};
    for (const char* row : *layouts[languageIndex])
        AddRow(row);
}

int KeyboardLayout::RowCount() const
{
    return static_cast<int>(std::count_if(keys_.begin(), keys_.end(), IsSeparator));
}

int KeyboardLayout::WidestRow() const
{
    int widest = 0;
    int row = 0;
    for (const KEYDEF& key : keys_) {
        if (IsSeparator(key)) {
            row = 0;
            continue;
        }
        row += std::abs(key.width);
        widest = std::max(widest, row);
    }
    return widest;
}

void KeyboardLayout::ComputeKeyGeometry(int clientWidth, int clientHeight)
{
    unitWidth_ = 0;
    rowHeight_ = 0;
    const int rows = RowCount();
    const int widest = WidestRow();
    if (rows == 0 || widest == 0)
        return;
    rowHeight_ = std::max(0, clientHeight - kBottomBand) / rows;
    unitWidth_ = static_cast<int>(clientWidth / (widest / 10.0));
}

std::vector<std::pair<size_t, KeyRect>> KeyboardLayout::KeysAt(int x, int y, int clientRight)
{
    std::vector<std::pair<size_t, KeyRect>> hits;
    const KEYDEF* first = keys_.data();
    ForEachKey(clientRight, [&](KEYDEF& key, const KeyRect& rect) {
        if (rect.Contains(x, y))
            hits.push_back({static_cast<size_t>(&key - first), rect});
    });
    return hits;
}
