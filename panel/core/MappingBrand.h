// Where the two brands' mapping pages differ, as values beside the reference
// behaviour: the second brand adds a rotation choice, lays the page out by
// language, draws only the first monitor live, and publishes less often.
#pragma once

#include <cstddef>
#include <cstdint>

struct MappingBrand {
    bool rotationChoice;              // combo 1061: rotation codes 0, 256, 512, 768
    bool deepInsetByModel;            // product ids with a bit of 0x841F calibrate 90 pixels in
    bool publishesOnOpenWithOneMonitor;
    bool enumeratesAtEveryPaint;      // else only at start and on a display change
    bool liveThumbnailOfEveryMonitor; // else the first monitor's only
    bool outlinesScreenArea;
    bool displayChangeSetsDesktop;    // several monitors after a change: the whole desktop
    bool displayChangePublishes;      // one monitor after a change: published
    bool calibrationDebugLine;
    bool relayoutByLanguage;
};

inline constexpr MappingBrand kStyloraMapping{false, true, true, true, true, false, true, true, true, false};
inline constexpr MappingBrand kPenmiraMapping{true, false, false, false, false, true, false, false, false, true};

// A control's place in the page's client area, in pixels.
struct ControlPlace {
    int id;
    int x, y, width, height;
    bool moves;  // false: the template's place stays
};

// The second brand's places for a language index: none for index 3 (the
// template's layout); index 4 and every other index have tables of their own.
// Returns the count written to `places` (at most `room`).
size_t MappingRelayout(int languageIndex, ControlPlace* places, size_t room);

// The rotation code of rotation-combo entry k (0..3), and back.
constexpr int32_t RotationCodeOf(int entry) { return entry >= 0 && entry <= 3 ? entry << 8 : 0; }
constexpr int RotationEntryOf(int32_t code) { return code >= 0 && (code >> 8) <= 3 ? code >> 8 : 0; }
