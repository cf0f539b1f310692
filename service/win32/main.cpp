// The device service program: a console program that is also a Windows service.
#include "CInkbrid.h"
#include "HidSource.h"
#include "ObjectNames.h"

#include <windows.h>

#ifndef INKBRID_BUILD_SECOND_BRAND
#define INKBRID_BUILD_SECOND_BRAND 0
#endif

int main(int argc, char** argv)
{
    const BuildPolicy& policy = INKBRID_BUILD_SECOND_BRAND ? BuildPolicy::SecondBrand() : BuildPolicy::Reference();
    ScopedHandle photoshopMutex;
    if (policy.hasPhotoshopMutex && !policy.photoshopMutexAtSectionCreation)
        photoshopMutex.Reset(CreateMutexA(nullptr, FALSE, objnames::PHOTOSHOP_SYNC_MUTEX));
    ServiceRuntime runtime(policy, true, ProgramHidSource());
    CInkbrid service(runtime);
    return service.ParseStandardArgs(argc, argv);
}
