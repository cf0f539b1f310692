// The control panel program: its application object and entry.
#include "CStyloraApp.h"

namespace {

CStyloraApp theApp;

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int showCommand) { return theApp.Main(instance, showCommand); }
