// Where a service finds its tablets: the machine's HID interfaces, or in the
// test build the interfaces a test scripts, with an observer that sees every
// report on its way into the pipeline. The programs choose; the service is given it.
#pragma once

#include "IHidEnumerator.h"
#include "IReportSink.h"

#include <memory>

struct HidSource {
    std::unique_ptr<IHidEnumerator> enumerator;
    std::unique_ptr<IReportSink> observer;  // null: nobody watches
};

// The machine's interfaces; in the test build (INKBRID_TEST_SEAMS) the
// scripted ones when the environment names a script.
HidSource ProgramHidSource();
