# Cross-builds for 64-bit Windows with Debian's MinGW-w64 compiler (g++-mingw-w64-x86-64-posix)
# and runs what it builds under Wine (wine64), which ctest then does by itself. The mingw
# preset uses it for the parts that need no Qt (scripts/test-windows.sh).
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(CMAKE_CXX_COMPILER x86_64-w64-mingw32-g++-posix)
set(CMAKE_FIND_ROOT_PATH /usr/x86_64-w64-mingw32)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
# Linked statically, the programs need none of the compiler's DLLs beside them.
set(CMAKE_EXE_LINKER_FLAGS_INIT -static)
# Debian keeps Wine's launcher off the PATH.
if(EXISTS /usr/lib/wine/wine64)
    set(CMAKE_CROSSCOMPILING_EMULATOR /usr/lib/wine/wine64)
endif()
