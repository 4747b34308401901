# Cross-compiles the Windows programs with MinGW-w64 for the architecture that the including
# toolchain file names in TOOLCHAIN_PREFIX, with the POSIX thread model (the test framework
# needs std::mutex; everything is still linked statically).
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_C_COMPILER ${TOOLCHAIN_PREFIX}-gcc-posix)
set(CMAKE_CXX_COMPILER ${TOOLCHAIN_PREFIX}-g++-posix)
set(CMAKE_RC_COMPILER ${TOOLCHAIN_PREFIX}-windres)
set(CMAKE_FIND_ROOT_PATH /usr/${TOOLCHAIN_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
# Everything is linked statically so that the programs import system DLLs only; address space
# layout randomisation and data execution prevention stay on, and the header names the oldest
# system version that may load the program.
set(CMAKE_EXE_LINKER_FLAGS_INIT
    "-static -static-libgcc -static-libstdc++ -Wl,--dynamicbase,--nxcompat ${DISCMENU_ARCH_LINK_FLAGS}")
# Test programs built here run under Wine, each in a throwaway prefix.
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/../tests/wine/wine-run.sh)
