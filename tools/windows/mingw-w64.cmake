# Cross compiling for 64-bit Windows with Debian's MinGW-w64 (the posix thread model, which the C++
# standard library's threads and Qt need).
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(VANTRIC_MINGW_TRIPLE x86_64-w64-mingw32)

set(CMAKE_C_COMPILER ${VANTRIC_MINGW_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${VANTRIC_MINGW_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER ${VANTRIC_MINGW_TRIPLE}-windres)

# Headers and libraries come from the MinGW sysroot only, never from the build machine; programs
# (code generators) from the build machine only.
set(CMAKE_FIND_ROOT_PATH /usr/${VANTRIC_MINGW_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
