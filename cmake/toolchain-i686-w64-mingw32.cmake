# Cross toolchain for the i686 Windows build (Win32 threads, static runtime).
# The posix-threads runtime imports functions Windows XP lacks, so the
# programs take their locks and threads from Win32 itself.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR i686)
set(TOOLCHAIN_TRIPLE i686-w64-mingw32)
set(CMAKE_C_COMPILER ${TOOLCHAIN_TRIPLE}-gcc-win32)
set(CMAKE_CXX_COMPILER ${TOOLCHAIN_TRIPLE}-g++-win32)
set(CMAKE_RC_COMPILER ${TOOLCHAIN_TRIPLE}-windres)
set(CMAKE_DLLTOOL ${TOOLCHAIN_TRIPLE}-dlltool)
set(CMAKE_FIND_ROOT_PATH /usr/${TOOLCHAIN_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")
set(CMAKE_SHARED_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")
set(CMAKE_MODULE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")
