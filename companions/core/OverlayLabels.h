// What the express-key overlay draws: the background for the key area's
// rotation, where each key's label goes and the label's text, built from
// the key area's actions and the companions' language file.
#pragma once

#include "LanguageFile.h"
#include "TabletRecords.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace overlay {

constexpr int BITMAP_PANEL_LEFT = 129;   // key column on the left
constexpr int BITMAP_PANEL_RIGHT = 130;  // the panel turned: column on the right
constexpr int32_t ROTATION_TURNED = 512; // the tablet turned by 180 degrees
constexpr int KEY_SLOTS = 10;            // keys 0..9; 4 and 9 hold the strips
constexpr size_t LABEL_MAX_CHARS = 255;
constexpr size_t LANGUAGE_TEXT_ROOM = 64;

enum class Layout {
    PanelLeft,   // labels left-aligned at x 150
    PanelRight,  // labels right-aligned, ending at x 750
};

Layout LayoutForRotation(int32_t rotationCode);
int BackgroundBitmapId(bool keyAreaMapped, int32_t rotationCode);

struct LabelPlace {
    int x = 0;  // left end, or right end when rightAligned
    int y = 0;
    bool rightAligned = false;
};

// False for the strip slots 4 and 9 and for keys outside 0..9.
bool PlaceLabel(int key, Layout layout, LabelPlace& place);
// Left end of a right-aligned label of `chars` characters.
int RightAlignedLeft(int rightEnd, size_t chars, int averageCharWidth);

// Appends the name a keystroke label shows for one key code.
void KeyCodeToName(uint8_t code, std::string& text);
// The localized text of a tagged action code (action_names::TagAction), looked
// up by its low 16 bits; empty for codes without text or when the selected
// language has no name.
std::string GetActionText(uint32_t taggedCode, const LanguageFile& language);

// The label of one key: keystroke names, "path parameters" or the action's
// text, never longer than LABEL_MAX_CHARS; the texts are read only up to
// the ends of their fields.
std::string BuildKeyLabel(const KEYACTION& action, const LanguageFile& language);

struct Label {
    int key = 0;
    LabelPlace place;
    std::string text;
};

// The labels of a key area of `size` bytes (4-byte process id, then the
// record); keys beyond the end of a smaller area are left out.
std::vector<Label> BuildLabels(const uint8_t* keyArea, size_t size, const LanguageFile& language);
// The rotation code at +96 of the key area, or 0 when the area is too small.
int32_t KeyAreaRotation(const uint8_t* keyArea, size_t size);

}  // namespace overlay
