# 32-bit Windows (the product's own format), cross-built with Debian's mingw-w64.
#   cmake -S . -B build-win32 -G Ninja -DCMAKE_TOOLCHAIN_FILE=cmake/toolchain-i686-w64-mingw32.cmake
# Test programs run under wine32 in a wine prefix of the build's own.
set(TARN_MINGW_TRIPLE i686-w64-mingw32)
set(TARN_WINE_ARCH win32)
set(CMAKE_SYSTEM_PROCESSOR i686)
include("${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake")
