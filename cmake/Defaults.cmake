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

# ql_ship_without_debug_information(target debug_file): after each link the
# Windows binary loses its debug information, which `debug_file` keeps beside
# it, named in the binary's debug link so that gdb finds it.
function(ql_ship_without_debug_information target debug_file)
  find_program(QL_OBJCOPY ${QL_MINGW_PREFIX}-objcopy REQUIRED)
  find_program(QL_STRIP ${QL_MINGW_PREFIX}-strip REQUIRED)
  get_filename_component(debug_name ${debug_file} NAME)
  add_custom_command(TARGET ${target} POST_BUILD
    COMMAND ${QL_OBJCOPY} --only-keep-debug $<TARGET_FILE:${target}> ${debug_file}
    COMMAND ${QL_STRIP} --strip-all $<TARGET_FILE:${target}>
    COMMAND ${QL_OBJCOPY} --add-gnu-debuglink=${debug_file} $<TARGET_FILE:${target}>
    BYPRODUCTS ${debug_file}
    COMMENT "Stripping $<TARGET_FILE_NAME:${target}>; debug information in ${debug_name}"
    VERBATIM)
endfunction()
