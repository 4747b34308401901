# The disc's program: 32-bit x86, which starts on 32-bit and 64-bit Windows and on Windows on
# ARM; its header lets Windows XP load it (subsystem version 5.1).
set(CMAKE_SYSTEM_PROCESSOR x86)
set(TOOLCHAIN_PREFIX i686-w64-mingw32)
set(DISCMENU_ARCH_LINK_FLAGS
    "-Wl,--major-subsystem-version,5,--minor-subsystem-version,1,--major-os-version,5,--minor-os-version,1")
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64.cmake)
