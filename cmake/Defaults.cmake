# Compiler settings shared by every target of the project (not by googletest).
function(ql_target_defaults target)
  target_compile_options(${target} PRIVATE -Wall -Wextra -Wno-missing-field-initializers)
  if(QL_WERROR)
    target_compile_options(${target} PRIVATE -Werror)
  endif()
  if(WIN32)
    # Windows binaries carry their C and C++ runtimes so that wine needs no extra DLLs.
    target_link_options(${target} PRIVATE -static -static-libgcc -static-libstdc++)
    target_compile_definitions(${target} PRIVATE WIN32_LEAN_AND_MEAN NOMINMAX _WIN32_WINNT=0x0601
                               __USE_MINGW_ANSI_STDIO=1)
  endif()
endfunction()

if(QL_SANITIZE)
  add_compile_options(-fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined)
  add_link_options(-fsanitize=address,undefined)
endif()
