#include "HidSource.h"

#include "SetupApiHidEnumerator.h"

#ifdef INKBRID_TEST_SEAMS
#include "ReportEchoSink.h"
#include "ScriptedHidEnumerator.h"
#endif

HidSource ProgramHidSource()
{
    HidSource source;
#ifdef INKBRID_TEST_SEAMS
    if (std::unique_ptr<ScriptedHidEnumerator> scripted = ScriptedHidEnumerator::FromEnvironment()) {
        const std::string echoPipe = scripted->EchoPipe();
        if (!echoPipe.empty())
            source.observer = std::make_unique<ReportEchoSink>(echoPipe);
        source.enumerator = std::move(scripted);
        return source;
    }
#endif
    source.enumerator = std::make_unique<SetupApiHidEnumerator>();
    return source;
}
