# Cross-compiles the same sources for 64-bit Windows, only to test them under
# 64-bit Wine on a machine that runs no 32-bit programs (scripts/wine-lane).
# What ships is the 32-bit build (mingw-i686.cmake).
set(CMAKE_SYSTEM_PROCESSOR x86_64)
include(${CMAKE_CURRENT_LIST_DIR}/mingw.cmake)
