// What the x86_64 test build alone adds to the programs: the tests' own
// settings folder and tablets, named in environment variables. The build
// script defines INKBRID_TEST_SEAMS for that tree only, so the shipped
// programs neither read these variables nor contain their names.
#pragma once

#include <cstdlib>

namespace testseams {

// The folder a test puts in place of Program Files; null when none is set
// and always in the shipped programs.
inline const char* ProgramFilesOverride()
{
#ifdef INKBRID_TEST_SEAMS
    return std::getenv("INKBRID_PROGRAM_FILES");
#else
    return nullptr;
#endif
}

}  // namespace testseams
