#include "MappingBrand.h"

#include <algorithm>
#include <iterator>

namespace {

constexpr int kGroupBox = -1;

// Control ids of the page: preview frame, tablet label and combo, rotation
// label and combo, the radio group box, the two radios and the monitor combo.
constexpr ControlPlace kLanguage4[] = {
    {1039, 0, 0, 0, 0, false},         {1058, 14, 437, 187, 20, true},   {1059, 169, 428, 90, 26, true},
    {1060, 47, 477, 123, 20, true},    {1061, 169, 475, 90, 26, true},   {kGroupBox, 266, 416, 266, 83, true},
    {1047, 272, 434, 148, 23, true},   {1045, 422, 434, 110, 26, true},  {1048, 272, 470, 144, 18, true},
};
constexpr ControlPlace kOtherLanguages[] = {
    {1039, 23, 0, 484, 416, true},     {1058, 27, 432, 122, 20, true},   {1059, 122, 430, 99, 26, true},
    {1060, 29, 479, 122, 20, true},    {1061, 122, 475, 99, 26, true},   {kGroupBox, 250, 425, 257, 70, true},
    {1047, 259, 437, 124, 23, true},   {1045, 394, 439, 101, 26, true},  {1048, 259, 470, 146, 18, true},
};

}  // namespace

size_t MappingRelayout(int languageIndex, ControlPlace* places, size_t room)
{
    if (languageIndex == 3 || places == nullptr)
        return 0;
    const ControlPlace* first = languageIndex == 4 ? std::begin(kLanguage4) : std::begin(kOtherLanguages);
    const ControlPlace* last = languageIndex == 4 ? std::end(kLanguage4) : std::end(kOtherLanguages);
    const size_t count = std::min<size_t>(room, static_cast<size_t>(last - first));
    std::copy(first, first + count, places);
    return count;
}
