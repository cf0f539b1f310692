#include "KeyboardLayout.h"

#include <algorithm>
#include <cstdlib>

void KeyboardLayout::AddKey(uint8_t character, uint8_t keyCode, int32_t width)
{
    keys_.push_back(KEYDEF{character, keyCode, std::string(), width});
}

void KeyboardLayout::Row()
{
    AddKey(0, 0, rows_++);
}

void KeyboardLayout::Run(int first, int last, int32_t width)
{
    for (int code = first; code <= last; ++code)
        AddKey(0, static_cast<uint8_t>(code), width);
}

void KeyboardLayout::Letters(const char* letters, int32_t width)
{
    for (const char* letter = letters; *letter != '\0'; ++letter)
        AddKey(static_cast<uint8_t>(*letter - 'A' + 'a'), static_cast<uint8_t>(*letter), width);
}

void KeyboardLayout::SelectLayout(int languageIndex)
{
    keys_.clear();
    rows_ = 0;
    // The second brand has no layout of its own for index 6: the standard one
    // keeps its keyboard from coming up without rows.
    if (languageIndex < 0 || languageIndex > 6 || (languageIndex == 6 && !policy_.hasJapaneseLayout))
        languageIndex = 0;
    switch (languageIndex) {
    case 3:
        BuildLayoutLanguage3(false);
        break;
    case 4:
        BuildLayoutLanguage3(true);
        break;
    case 5:
        BuildLayoutLanguage5();
        break;
    case 6:
        BuildLayoutJapanese();
        break;
    default:
        BuildLayoutStandard();
        break;
    }
}

void KeyboardLayout::FunctionRow(int32_t escapeGap)
{
    Row();
    AddKey(0, 27, 10);
    Gap(escapeGap);
    Run(112, 115, 10);
    Gap(10);
    Run(116, 119, 10);
    Gap(10);
    Run(120, 123, 10);
    Gap(12);
    Run(44, 44, 18);
    Run(145, 145, 18);
    Run(19, 19, 18);
}

void KeyboardLayout::BuildLayoutStandard()
{
    FunctionRow(16);

    Row();
    Run(192, 192, 12);
    Run(49, 57, 12);
    Run(48, 48, 12);
    Run(189, 189, 12);
    Run(187, 187, 12);
    Run(8, 8, 14);
    Gap(12);
    Run(45, 45, 18);
    Run(36, 36, 18);
    Run(33, 33, 18);
    Gap(13);
    Run(144, 144, 24);
    Run(111, 111, 12);
    Run(106, 106, -12);

    Row();
    Run(9, 9, 14);
    Letters("QWERTYUIOP", 12);
    Run(219, 219, 12);
    Run(221, 221, 12);
    Run(220, 220, 12);
    Gap(12);
    Run(46, 46, 18);
    Run(35, 35, 18);
    Run(34, 34, 18);
    Gap(13);
    Run(103, 105, 12);
    Run(109, 109, -12);

    Row();
    Run(20, 20, 18);
    Letters("ASDFGHJKL", 12);
    Run(186, 186, 12);
    Run(222, 222, 12);
    Run(13, 13, 20);
    Gap(78);
    Run(100, 102, 12);
    Run(107, 107, -12);

    Row();
    Run(160, 160, 25);
    Letters("ZXCVBNM", 12);
    Run(188, 188, 12);
    Run(190, 190, 12);
    Run(191, 191, 12);
    Run(161, 161, 25);
    Gap(30);
    Run(38, 38, 18);
    Gap(30);
    Run(97, 99, 12);
    Run(13, 13, -12);

    Row();
    Run(162, 162, 16);
    Run(91, 91, 16);
    Run(164, 164, 16);
    Run(32, 32, 72);
    Run(165, 165, 16);
    Run(92, 92, 16);
    Run(163, 163, 16);
    Gap(12);
    Run(37, 37, 18);
    Run(40, 40, 18);
    Run(39, 39, 18);
    Gap(12);
    Run(96, 96, 24);
    Run(110, 110, -24);
}

// Index 3 (Q W E R T Z) and index 4, which has Y and Z the other way round.
void KeyboardLayout::BuildLayoutLanguage3(bool swapYZ)
{
    FunctionRow(18);

    Row();
    Run(220, 220, 12);
    Run(49, 57, 12);
    Run(48, 48, 12);
    Run(219, 219, 12);
    Run(221, 221, 12);
    Run(8, 8, 14);
    Gap(12);
    Run(45, 45, 18);
    Run(36, 36, 18);
    Run(33, 33, 18);

    Row();
    Run(9, 9, 14);
    Letters(swapYZ ? "QWERTYUIOP" : "QWERTZUIOP", 12);
    Run(186, 186, 12);
    Run(187, 187, 12);
    Run(191, 191, 12);
    Gap(12);
    Run(46, 46, 18);
    Run(35, 35, 18);
    Run(34, 34, 18);

    Row();
    Run(20, 20, 18);
    Letters("ASDFGHJKL", 12);
    Run(192, 192, 12);
    Run(222, 222, 12);
    Run(13, 13, 20);

    Row();
    Run(160, 160, 13);
    Run(226, 226, 12);
    Letters(swapYZ ? "ZXCVBNM" : "YXCVBNM", 12);
    Run(188, 188, 12);
    Run(190, 190, 12);
    Run(189, 189, 12);
    Run(161, 161, 25);
    Gap(30);
    Run(38, 38, 18);

    Row();
    Run(162, 162, 16);
    Run(91, 91, 16);
    Run(164, 164, 16);
    Run(32, 32, 73);
    Run(165, 165, 16);
    Run(92, 92, 16);
    Run(163, 163, 16);
    Gap(12);
    Run(37, 37, 18);
    Run(40, 40, 18);
    Run(39, 39, 18);
}

void KeyboardLayout::BuildLayoutLanguage5()
{
    FunctionRow(18);

    Row();
    Run(192, 192, 12);
    Run(49, 57, 12);
    Run(48, 48, 12);
    Run(189, 189, 12);
    Run(187, 187, 12);
    Run(8, 8, 14);
    Gap(12);
    Run(45, 45, 18);
    Run(36, 36, 18);
    Run(33, 33, 18);

    Row();
    Run(9, 9, 14);
    Letters("QWERTYUIOP", 12);
    Run(219, 219, 12);
    Run(221, 221, 12);
    Run(220, 220, 12);
    Gap(12);
    Run(46, 46, 18);
    Run(35, 35, 18);
    Run(34, 34, 18);

    Row();
    Run(20, 20, 18);
    Letters("ASDFGHJKL", 12);
    Run(186, 186, 12);
    Run(222, 222, 12);
    Run(13, 13, 20);

    Row();
    Run(160, 160, 25);
    Letters("ZXCVBNM", 12);
    Run(188, 188, 12);
    Run(190, 190, 12);
    Run(191, 191, 12);
    Run(161, 161, 25);
    Gap(30);
    Run(38, 38, 18);

    Row();
    Run(162, 162, 16);
    Run(91, 91, 16);
    Run(164, 164, 16);
    Run(25, 25, 16);
    Run(32, 32, 41);
    Run(21, 21, 16);
    Run(165, 165, 16);
    Run(92, 92, 16);
    Run(163, 163, 16);
    Gap(12);
    Run(37, 37, 18);
    Run(40, 40, 18);
    Run(39, 39, 18);
}

void KeyboardLayout::BuildLayoutJapanese()
{
    Row();
    Run(27, 27, 10);
    Run(243, 243, 12);
    Run(112, 115, 10);
    Gap(13);
    Run(116, 119, 10);
    Gap(13);
    Run(120, 123, 10);
    Gap(12);

    Row();
    Run(49, 57, 13);
    Run(48, 48, 13);
    Run(189, 189, 13);
    Run(187, 187, 13);
    Run(8, 8, 13);
    Gap(13);
    Run(36, 36, 18);
    Run(33, 33, 18);
    Gap(13);
    Run(144, 144, 24);
    Run(111, 111, 12);
    Run(106, 106, -12);

    Row();
    Run(9, 9, 14);
    Letters("QWERTYUIOP", 13);
    Run(219, 219, 13);
    Run(221, 221, 12);
    Gap(13);
    Run(35, 35, 18);
    Run(34, 34, 18);
    Gap(13);
    Run(103, 105, 12);
    Run(109, 109, -12);

    Row();
    Run(20, 20, 18);
    Letters("ASDFGHJKL", 12);
    Run(186, 186, 12);
    Run(222, 222, 12);
    Run(13, 13, 19);
    Gap(13);
    Run(45, 45, 18);
    Run(19, 19, 18);
    Gap(13);
    Run(100, 102, 12);
    Run(107, 107, -12);

    Row();
    Run(160, 160, 24);
    Letters("ZXCVBNM", 12);
    Run(188, 188, 12);
    Run(190, 190, 12);
    Run(191, 191, 12);
    Run(38, 38, 12);
    Run(161, 161, 13);
    Gap(13);
    Run(44, 44, 18);
    Run(145, 145, 18);
    Gap(13);
    Run(97, 99, 12);
    Run(13, 13, -12);

    Row();
    Run(162, 162, 12);
    Run(91, 91, 12);
    Run(164, 164, 12);
    Run(28, 28, 13);
    Run(32, 32, 47);
    Run(29, 29, 13);
    Run(165, 165, 12);
    Run(93, 93, 12);
    Run(37, 37, 12);
    Run(40, 40, 12);
    Run(39, 39, 12);
    Gap(61);
    Run(96, 96, 24);
    Run(110, 110, -24);
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

std::vector<size_t> KeyboardLayout::KeysAt(int x, int y, int clientRight)
{
    std::vector<size_t> hits;
    const KEYDEF* first = keys_.data();
    ForEachKey(clientRight, [&](KEYDEF& key, const KeyRect& rect) {
        if (rect.Contains(x, y))
            hits.push_back(static_cast<size_t>(&key - first));
    });
    return hits;
}
