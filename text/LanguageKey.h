// One text a program reads from language.ini: its key in the language's
// section, the built-in English text used when the key is missing, and the
// size of the buffer it is read into (at most bufferSize - 1 bytes).
#pragma once

#include <cstddef>

struct LanguageKey {
    const char* key;
    const char* english;
    size_t bufferSize;
};
