# Toolchain for the Windows build: x86_64-w64-mingw32 (Debian's mingw-w64 with
# POSIX threads), the real Windows headers and import libraries, the msvcrt
# C run-time.
#   cmake -B build/windows --toolchain cmake/mingw-w64.cmake [-DILT_NATIVE_BUILD_DIR=build/test]
# (without a native build folder, the build makes its own build tools: cmake/IltWindows.cmake)
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(ILT_MINGW_TRIPLE x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${ILT_MINGW_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${ILT_MINGW_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER ${ILT_MINGW_TRIPLE}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${ILT_MINGW_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
