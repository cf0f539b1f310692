// Wine's own cost of moving the pointer, measured beside the try-here bench:
// a second process calls mouse_event (absolute move) and this one waits for
// GetCursorPos to report the move, as the bench waits for the service's moves.
#pragma once

#include <windows.h>

#include <vector>

class InjectionBaseline {
public:
    // The argument that makes the bench program the injecting process.
    static constexpr const char* kInjectorArgument = "--inject";

    // The injecting side: moves the pointer whenever the measuring side asks,
    // until it stops asking. The process exit code.
    static int RunInjector();

    // The measuring side: `moves` moves to new pixels of `area` (screen
    // pixels); the milliseconds from each mouse_event call to the move seen,
    // empty when the injector did not start or a move never showed.
    static std::vector<double> Measure(const RECT& area, int moves);
};
