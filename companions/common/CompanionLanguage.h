// The companions' language file "\Stylora\language.ini" below the Program
// Files folder, shared by Keyveil and Mousora.
#pragma once

#include "LanguageIniFile.h"

// The file's door: read whole; a write creates it when it is missing.
LanguageIniFile CompanionLanguageFile();
// The language file as it is now; a missing one reads as empty.
LanguageFile ReadCompanionLanguage();
