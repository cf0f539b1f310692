// The companions' language file "\Stylora\language.ini" below the Program
// Files folder: read whole into a LanguageFile, written one value at a time
// with the system's profile functions.
#pragma once

#include "LanguageFile.h"

#include <string>

// Full path of the language file; empty when the folder is unknown.
std::string CompanionLanguageFilePath();
// The language file as it is now; a missing one reads as empty.
LanguageFile ReadCompanionLanguage();
// False when the folder is unknown or the write failed.
bool WriteCompanionLanguageInt(const char* section, const char* key, int value);
