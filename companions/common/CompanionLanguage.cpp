#include "CompanionLanguage.h"

#include "ProgramFiles.h"

namespace {

constexpr const char* LANGUAGE_FILE = "\\Stylora\\language.ini";

}  // namespace

LanguageIniFile CompanionLanguageFile()
{
    return LanguageIniFile(ProgramFiles::Path(LANGUAGE_FILE), LanguageIniFile::Missing::Created);
}

LanguageFile ReadCompanionLanguage() { return CompanionLanguageFile().Read(); }
