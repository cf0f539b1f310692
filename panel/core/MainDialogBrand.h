// What the two panels' main-dialog frames do differently: one value per
// difference, beside the reference behaviour it changes, so one dialog serves
// both programs and native tests cover both. (The pen page's own differences
// are the pen-page policy's.)
#pragma once

#include <cstdint>
#include <vector>

namespace MainDialog {

struct PixelRect {
    int left, top, right, bottom;
    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
    bool operator==(const PixelRect& other) const {
        return left == other.left && top == other.top && right == other.right && bottom == other.bottom;
    }
};

// A page as the frame shows it: its page state and its background bitmap.
struct PageLook {
    int state;
    int background;
};

struct Brand {
    bool opensKeyArea;           // the key-area view, read for the model flag
    bool showsPenId;             // static 1022 carries "ID: ..."
    bool tracesContext;          // "m_hCtx = 0x%08X\n" after opening the tablet context
    bool sizeFollowsLanguage;    // 663 x 597 pixels with big page buttons, unless language 3 or 4
    bool penButtonsFromTablets;  // count 1 with a connected tablet, else -1 (reference: always 2)
    bool labelsFollowEnableRule; // a language change enables the labels again
    bool knobEndsAtCursor;       // a release ends the knob's drag at the desktop pointer
    bool checksNoKeys;           // "Key Setting" refuses a tablet without express keys
    PageLook penPage, mappingPage, keyPage, aboutPage;
};

inline constexpr Brand kStyloraMainDialog = [] {
    Brand b{};
    b.opensKeyArea = true;
    b.showsPenId = true;
    b.tracesContext = true;
    b.sizeFollowsLanguage = false;
    b.penButtonsFromTablets = false;
    b.labelsFollowEnableRule = true;
    b.knobEndsAtCursor = false;
    b.checksNoKeys = true;
    b.penPage = {0, 129};
    b.mappingPage = {1, 136};
    b.keyPage = {2, 138};
    b.aboutPage = {3, 137};
    return b;
}();

// The second brand: the pen section only, a layout by language, no pen id.
inline constexpr Brand kPenmiraMainDialog = [] {
    Brand b = kStyloraMainDialog;
    b.opensKeyArea = false;
    b.showsPenId = false;
    b.tracesContext = false;
    b.sizeFollowsLanguage = true;
    b.penButtonsFromTablets = true;
    b.labelsFollowEnableRule = false;
    b.knobEndsAtCursor = true;
    b.checksNoKeys = false;
    b.keyPage = {3, 137};
    b.aboutPage = {2, 138};
    return b;
}();

// Window size and page buttons for a language, in pixels.
struct PageButtonPlace {
    int id;
    PixelRect rect;
};
struct LanguageLayout {
    bool resize;  // false: the template's size and buttons stay
    int width, height;
    std::vector<PageButtonPlace> buttons;
};
LanguageLayout LayoutForLanguage(const Brand& brand, int languageIndex);

// Pen-button count of the pen-block copy before the labels are made.
int32_t PenButtonCount(const Brand& brand, bool supportedTabletConnected);

// One pen-button label: its place, whether it exists and is enabled, and the
// pen-button record whose text it shows (-1: no text).
struct PenButtonLabel {
    int id;  // 8192 first pen button, 8193 second
    PixelRect rect;
    bool enabled;
    int record;
};
inline constexpr int kFirstPenButtonLabel = 8192;
inline constexpr int kSecondPenButtonLabel = 8193;
std::vector<PenButtonLabel> PenButtonLabels(const Brand& brand, int32_t count, bool modelFlag);

// What a language change does to one label: the record whose text it gets,
// and, where the brand keeps the rule, whether it is enabled.
struct PenButtonRelabel {
    int id;
    int record;
    bool setsEnabled;
    bool enabled;
};
std::vector<PenButtonRelabel> RelabelledPenButtons(const Brand& brand, int32_t count, bool modelFlag);

}  // namespace MainDialog
