# Cross-building Vexal for 64-bit Windows with Debian's mingw-w64 (GCC 12,
# POSIX threads). The Windows SDL2 libraries come from the prefix that
# scripts/windows-deps builds, named by VEXAL_WINDOWS_PREFIX (a -D or the
# environment); scripts/windows-build passes it.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(CMAKE_C_COMPILER x86_64-w64-mingw32-gcc-posix)
set(CMAKE_CXX_COMPILER x86_64-w64-mingw32-g++-posix)
set(CMAKE_RC_COMPILER x86_64-w64-mingw32-windres)

if(NOT VEXAL_WINDOWS_PREFIX AND DEFINED ENV{VEXAL_WINDOWS_PREFIX})
  set(VEXAL_WINDOWS_PREFIX $ENV{VEXAL_WINDOWS_PREFIX})
endif()
# try_compile projects read this file again and need the prefix too.
list(APPEND CMAKE_TRY_COMPILE_PLATFORM_VARIABLES VEXAL_WINDOWS_PREFIX)

set(CMAKE_FIND_ROOT_PATH /usr/x86_64-w64-mingw32 ${VEXAL_WINDOWS_PREFIX})
set(CMAKE_PREFIX_PATH ${VEXAL_WINDOWS_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
