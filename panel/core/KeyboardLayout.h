// The on-screen keyboard's picture as data: the key records of one layout,
// the unit width and row height that fit them into the client area, and the
// key rectangles that drawing and hit testing share.
#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

struct KEYDEF {
    uint8_t character;  // lower-case letter of a letter key; 255 marks a gap
    uint8_t keyCode;    // virtual-key code; 0 for gaps and row separators
    std::string label;  // caption most recently drawn
    int32_t width;      // tenths of a unit; negative: reaches the right edge. Separators: row number
};

struct KeyboardPolicy {
    bool hasJapaneseLayout;  // language index 6
};

inline constexpr KeyboardPolicy kStyloraKeyboard{true};
inline constexpr KeyboardPolicy kPenmiraKeyboard{false};

struct KeyRect {
    int left, top, right, bottom;
    bool Contains(int x, int y) const { return x >= left && x < right && y >= top && y < bottom; }
};

class KeyboardLayout {
public:
    // The band under the keyboard for the label and the buttons.
    static constexpr int kBottomBand = 80;
    static constexpr uint8_t kGap = 255;

    explicit KeyboardLayout(const KeyboardPolicy& policy) : policy_(policy) {}

    void AddKey(uint8_t character, uint8_t keyCode, int32_t width);
    // Replaces the records by the layout of a language index (out of range: standard).
    void SelectLayout(int languageIndex);
    void Clear() { keys_.clear(); }
    bool Empty() const { return keys_.empty(); }

    // Unit width and row height for the client size; both 0 without rows.
    void ComputeKeyGeometry(int clientWidth, int clientHeight);
    int UnitWidth() const { return unitWidth_; }
    int RowHeight() const { return rowHeight_; }
    int RowCount() const;
    int WidestRow() const;  // tenths

    std::vector<KEYDEF>& Keys() { return keys_; }
    const std::vector<KEYDEF>& Keys() const { return keys_; }
    static bool IsSeparator(const KEYDEF& key) { return key.character == 0 && key.keyCode == 0; }
    static bool IsGap(const KEYDEF& key) { return key.character == kGap; }

    // Calls visit(key, rect) for every key (no gaps, no separators) in order.
    template <typename Visit>
    void ForEachKey(int clientRight, Visit visit);
    // The keys under a point: their indexes into Keys() and their rectangles.
    std::vector<std::pair<size_t, KeyRect>> KeysAt(int x, int y, int clientRight);

private:
    // Appends a row separator, then the row's keys and gaps.
    void AddRow(const char* row);

    const KeyboardPolicy& policy_;
    std::vector<KEYDEF> keys_;
    int rows_ = 0;
    int unitWidth_ = 0;
    int rowHeight_ = 0;
};

template <typename Visit>
void KeyboardLayout::ForEachKey(int clientRight, Visit visit)
{
    int x = 0;
    int y = -rowHeight_;
    for (KEYDEF& key : keys_) {
        if (IsSeparator(key)) {
            x = 0;
            y += rowHeight_;
            continue;
        }
        const int width = (key.width < 0 ? -key.width : key.width) * unitWidth_ / 10;
        if (!IsGap(key)) {
            const KeyRect rect{x, y, key.width < 0 ? clientRight : x + width, y + rowHeight_};
            visit(key, rect);
        }
        x += width;
    }
}
