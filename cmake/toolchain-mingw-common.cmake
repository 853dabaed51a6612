# The posix thread model gives the C++ runtime std::mutex and std::thread
# (googletest needs them); the runtime itself uses Win32 critical sections.
set(CMAKE_C_COMPILER ${QL_MINGW_PREFIX}-gcc-posix)
set(CMAKE_CXX_COMPILER ${QL_MINGW_PREFIX}-g++-posix)
set(CMAKE_RC_COMPILER ${QL_MINGW_PREFIX}-windres)
set(CMAKE_AR ${QL_MINGW_PREFIX}-ar)
set(CMAKE_RANLIB ${QL_MINGW_PREFIX}-ranlib)
set(CMAKE_FIND_ROOT_PATH /usr/${QL_MINGW_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
# Tests run under wine; the wrapper supplies the prefix and silences wine's own logging.
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/../scripts/wine-run.sh)
