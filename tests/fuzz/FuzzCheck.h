// A broken promise ends the run as a crash, which the fuzzer keeps as a finding.
#pragma once

#include <cstdio>
#include <cstdlib>

inline void FuzzRequire(bool holds, const char* promise, const char* detail = "")
{
    if (holds)
        return;
    std::fprintf(stderr, "broken promise: %s%s%s\n", promise, detail[0] != '\0' ? ": " : "", detail);
    std::abort();
}
