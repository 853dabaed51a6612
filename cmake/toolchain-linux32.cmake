# 32-bit x86 Linux with Debian's multilib g++: the portable runtime with
# i686 pointers and words. Its tests run under qemu-i386 (user-mode
# emulation), which works whether or not the kernel runs 32-bit code itself.
set(CMAKE_SYSTEM_NAME Linux)
set(CMAKE_SYSTEM_PROCESSOR i686)
set(CMAKE_C_COMPILER gcc)
set(CMAKE_CXX_COMPILER g++)
set(CMAKE_C_FLAGS_INIT -m32)
set(CMAKE_CXX_FLAGS_INIT -m32)
set(CMAKE_EXE_LINKER_FLAGS_INIT -m32)
set(CMAKE_SHARED_LINKER_FLAGS_INIT -m32)
find_program(QL_QEMU_I386 NAMES qemu-i386 qemu-i386-static REQUIRED)
set(CMAKE_CROSSCOMPILING_EMULATOR ${QL_QEMU_I386})
