# Cross-compiles for 32-bit Windows, what ships; programs run under Wine.
set(CMAKE_SYSTEM_PROCESSOR i686)
# The exports of the .def file name stdcall functions without decoration.
set(VORN_MINGW_DLL_FLAGS -Wl,--enable-stdcall-fixup)
include(${CMAKE_CURRENT_LIST_DIR}/mingw.cmake)
