# Shared settings of the project's scripts. Sourced, not run.
REPO_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
BUILD_ROOT="$REPO_ROOT/build"
export WINEPREFIX="${INKBRID_WINEPREFIX:-$BUILD_ROOT/wineprefix}"
export WINEARCH=win64
export WINEDEBUG=-all
# Our own WinTab32.dll must win over Wine's; a crash must end the program, not open a dialog.
export WINEDLLOVERRIDES="wintab32=n,b;winedbg.exe=d;mscoree,mshtml="
WINE="/usr/lib/wine/wine64"
WINESERVER="/usr/lib/wine/wineserver64"
[ -x "$WINESERVER" ] || WINESERVER="/usr/lib/wine/wineserver"

APT_PACKAGES="cmake ninja-build g++-mingw-w64-x86-64-win32 g++-mingw-w64-i686-win32 wine64 xvfb xauth \
doctest-dev x11-apps xdotool imagemagick fonts-wine fonts-liberation python3 g++ clang libclang-rt-14-dev"
