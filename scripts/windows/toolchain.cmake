# 64-bit Windows with Debian's mingw-w64, posix thread model (<mutex> and <thread> need it).
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(CMAKE_C_COMPILER x86_64-w64-mingw32-gcc-posix)
set(CMAKE_CXX_COMPILER x86_64-w64-mingw32-g++-posix)
set(CMAKE_RC_COMPILER x86_64-w64-mingw32-windres)
# Libraries and headers come from mingw-w64 and the cache of what was built for Windows, never
# from the host; programs (moc, rcc, wine) come from the host.
set(CMAKE_FIND_ROOT_PATH /usr/x86_64-w64-mingw32 ${VAREDADAV_WINDOWS_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
# No libgcc or libstdc++ DLL beside the program: it is one file.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")
