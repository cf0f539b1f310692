// The tests' own settings folder, which the programs of the x86_64 test build
// alone take from an environment variable. The build script defines
// INKBRID_TEST_SEAMS for that tree only (its other seams: the scripted
// tablets of the service and RZUsbChk.dll, and the tests' answers to the
// class layer's message boxes and file dialogs), so the shipped programs
// neither read the variable nor contain its name.
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
