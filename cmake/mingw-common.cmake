# What both Windows toolchain files share; they set TARN_MINGW_TRIPLE,
# TARN_WINE_ARCH and CMAKE_SYSTEM_PROCESSOR first.
set(CMAKE_SYSTEM_NAME Windows)

# The posix thread model: GoogleTest needs std::mutex, which the win32 model of
# Debian's GCC 12 lacks. Everything links statically, winpthreads included.
set(CMAKE_C_COMPILER ${TARN_MINGW_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${TARN_MINGW_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER ${TARN_MINGW_TRIPLE}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${TARN_MINGW_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# The same samples as the 64-bit and Linux builds: SSE2 arithmetic, never x87
# extended precision, no fused multiply-adds. M_PI and friends as on Linux.
set(CMAKE_C_FLAGS_INIT "-D_USE_MATH_DEFINES -ffp-contract=off")
if(TARN_MINGW_TRIPLE MATCHES "^i686")
  string(APPEND CMAKE_C_FLAGS_INIT " -msse2 -mfpmath=sse")
endif()
set(CMAKE_CXX_FLAGS_INIT "${CMAKE_C_FLAGS_INIT}")
# Programs (tests, the test host) carry their C and C++ runtime like the DLLs do,
# so they run anywhere without mingw's runtime DLLs next to them.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")

# ctest and test discovery run the .exe files under wine.
set(CMAKE_CROSSCOMPILING_EMULATOR
    "${CMAKE_CURRENT_LIST_DIR}/../tools/wine_run.sh;${TARN_WINE_ARCH};${CMAKE_BINARY_DIR}/wineprefix")
