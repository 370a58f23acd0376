# 64-bit Windows, cross-built with Debian's mingw-w64.
#   cmake -S . -B build-win64 -G Ninja -DCMAKE_TOOLCHAIN_FILE=cmake/toolchain-x86_64-w64-mingw32.cmake
# Test programs run under wine64 in a wine prefix of the build's own.
set(TARN_MINGW_TRIPLE x86_64-w64-mingw32)
set(TARN_WINE_ARCH win64)
set(CMAKE_SYSTEM_PROCESSOR AMD64)
include("${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake")
