// Finding and driving the companions' windows from a test: windows of a
// child process, screen pixels, and the pointer.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

// The first visible top-level window of `processId` with this class and
// caption (either may be null to match any), waiting up to `timeoutMs`.
HWND FindProcessWindow(DWORD processId, const char* className, const char* caption, DWORD timeoutMs);

// Polls `condition` for up to `timeoutMs` while answering the messages this
// thread's windows get: a program that tells every window about a changed
// system setting waits for them.
bool PumpUntil(const std::function<bool()>& condition, DWORD timeoutMs);

// Counts the screen pixels of the rectangle (screen coordinates) that pass `test`.
int CountScreenPixels(const RECT& area, const std::function<bool(COLORREF)>& test);
bool IsLabelRed(COLORREF colour);

// The pointer moved to a screen point, pressed and let go through injected input.
void MovePointer(int x, int y);
void PressLeft();
void ReleaseLeft();
void DoubleClickAt(int x, int y);
