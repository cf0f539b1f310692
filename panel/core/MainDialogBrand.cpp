#include "MainDialogBrand.h"

namespace MainDialog {

namespace {

// The two label places, in client pixels.
constexpr PixelRect kLowerLabel{245, 435, 489, 460};
constexpr PixelRect kUpperLabel{245, 402, 489, 427};

constexpr int kPenSettingButton = 1000;
constexpr int kMappingButton = 1001;
constexpr int kAboutButton = 1003;

bool LanguageKeepsTemplate(int languageIndex) { return languageIndex == 3 || languageIndex == 4; }

}  // namespace

LanguageLayout LayoutForLanguage(const Brand& brand, int languageIndex) {
    if (!brand.sizeFollowsLanguage || LanguageKeepsTemplate(languageIndex)) return {false, 0, 0, {}};
    constexpr int kButtonWidth = 134, kButtonHeight = 54;
    auto at = [](int top) { return PixelRect{0, top, kButtonWidth, top + kButtonHeight}; };
    return {true, 663, 597, {{kPenSettingButton, at(2)}, {kMappingButton, at(59)}, {kAboutButton, at(116)}}};
}

int32_t PenButtonCount(const Brand& brand, bool supportedTabletConnected) {
    if (!brand.penButtonsFromTablets) return 2;
    return supportedTabletConnected ? 1 : -1;
}

std::vector<PenButtonLabel> PenButtonLabels(const Brand& brand, int32_t count, bool modelFlag) {
    if (count == 2) {
        return {{kFirstPenButtonLabel, kLowerLabel, true, 0}, {kSecondPenButtonLabel, kUpperLabel, !modelFlag, 1}};
    }
    if (!brand.penButtonsFromTablets) {
        if (count == 1) return {{kFirstPenButtonLabel, kUpperLabel, true, 0}};
        return {{kFirstPenButtonLabel, kLowerLabel, true, -1}, {kSecondPenButtonLabel, kUpperLabel, !modelFlag, -1}};
    }
    if (count == 1) {
        // The enabled label edits the second pen button, so it shows that
        // button's record.
        return {{kSecondPenButtonLabel, kLowerLabel, true, 1}, {kFirstPenButtonLabel, kUpperLabel, false, 0}};
    }
    return {{kFirstPenButtonLabel, kLowerLabel, false, -1}, {kSecondPenButtonLabel, kUpperLabel, false, -1}};
}

std::vector<PenButtonRelabel> RelabelledPenButtons(const Brand& brand, int32_t count, bool modelFlag) {
    const bool rule = brand.labelsFollowEnableRule;
    if (count == 2) {
        return {{kFirstPenButtonLabel, 0, rule, true}, {kSecondPenButtonLabel, 1, rule, !modelFlag}};
    }
    if (count == 1) {
        if (brand.penButtonsFromTablets) {
            return {{kFirstPenButtonLabel, 0, false, false}, {kSecondPenButtonLabel, 1, false, false}};
        }
        return {{kFirstPenButtonLabel, 0, false, false}};
    }
    return {};
}

}  // namespace MainDialog
