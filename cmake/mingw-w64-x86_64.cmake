# The 64-bit program, kept beside the disc's: x86_64 with high-entropy address randomisation;
# its header lets 64-bit Windows XP and Server 2003 load it (subsystem version 5.2).
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(TOOLCHAIN_PREFIX x86_64-w64-mingw32)
set(DISCMENU_ARCH_LINK_FLAGS
    "-Wl,--high-entropy-va,--major-subsystem-version,5,--minor-subsystem-version,2,--major-os-version,5,--minor-os-version,2")
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64.cmake)
