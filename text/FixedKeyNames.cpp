#include "FixedKeyNames.h"

namespace keynames {

namespace {

struct NamedKey {
    uint8_t code;
    const char* name;
};

constexpr NamedKey NAMED_KEYS[] = {
    {8, "{Back}"},    {9, "{Tab}"},    {13, "{Enter}"}, {16, "{Shift}"}, {17, "{Ctrl}"},  {18, "{Alt}"},
    {20, "{Cap}"},    {27, "{Esc}"},   {32, "{Space}"}, {33, "{PgUp}"},  {34, "{PgDn}"},  {35, "{End}"},
    {36, "{Home}"},   {37, "{Left}"},  {38, "{Up}"},    {39, "{Right}"}, {40, "{Down}"},  {45, "{Ins}"},
    {46, "{Del}"},    {91, "{Wnd}"},   {112, "{F1}"},   {113, "{F2}"},   {114, "{F3}"},   {115, "{F4}"},
    {116, "{F5}"},    {117, "{F6}"},   {118, "{F7}"},   {119, "{F8}"},   {120, "{F9}"},   {121, "{F10}"},
    {122, "{F11}"},   {123, "{F12}"},
};

constexpr uint8_t LEFT_SHIFT = 160;
constexpr uint8_t RIGHT_MENU = 165;
constexpr uint8_t SHIFT = 16;

}  // namespace

const char* FixedKeyName(uint8_t code, SideModifiers sides)
{
    // 160/161 are the two Shift keys, 162/163 Ctrl, 164/165 Alt.
    if (sides == SideModifiers::AsModifierNames && code >= LEFT_SHIFT && code <= RIGHT_MENU)
        code = static_cast<uint8_t>(SHIFT + (code - LEFT_SHIFT) / 2);
    for (const NamedKey& key : NAMED_KEYS) {
        if (key.code == code)
            return key.name;
    }
    return nullptr;
}

void AppendFixedKeyName(std::string& text, uint8_t code, SideModifiers sides)
{
    if (const char* name = FixedKeyName(code, sides))
        text += name;
    else
        text += static_cast<char>(code);
}

}  // namespace keynames
