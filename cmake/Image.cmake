# Application images: C++ compiled freestanding with the target's mingw g++
# and linked by the host image builder, quillon-image (docs/image-builder.md).
#
#   ql_add_image(name SOURCES a.cpp ... MANIFEST image.manifest
#                [RESOURCES files the manifest names ...]
#                [RUNTIME runtime_exe_target] [DEV_DIR dir] [COMPILER mingw_g++]
#                [INCLUDE_DIRS dirs ...] [COMPILE_OPTIONS options ...])
#
# With RUNTIME, ${name}.exe (in the current binary folder) is a copy of the
# runtime executable with the image appended; with DEV_DIR, the folder (under
# the current binary folder when relative) receives the five development
# files. The target ${name} builds both; its properties QL_IMAGE_EXECUTABLE
# and QL_IMAGE_DEV_DIR give their paths. COMPILER (default: the preset's own
# mingw g++) lets a non-Windows preset build development files, as linux32
# does for the IA-32 images it runs (tests/startup/images.cmake).
#
# The host builder: the linux preset builds quillon-image in-tree. A Windows
# preset cannot run its own executables, so it builds the same sources with
# the host compiler as an external project in build/<preset>/host-tools, at
# build time and on every build (a no-op when nothing changed). Each preset
# is self-contained, whatever order the presets are built in.

set(QL_IMAGE_SDK_INCLUDE ${CMAKE_CURRENT_LIST_DIR}/../sdk/include)
set(QL_IMAGE_SUPPORT_SOURCE ${CMAKE_CURRENT_LIST_DIR}/../sdk/src/image_support.cpp)
set(QL_IMAGE_ENTRY_POINTS ${CMAKE_CURRENT_LIST_DIR}/../sdk/include/quillon/entrypoints)

# Every flag is there for a rule of the image format or the builder:
#   no C/C++ runtime, no exceptions/RTTI/unwind tables, no jump tables
#   (absolute tables in data), no stack probes (___chkstk_ms), no guards for
#   statics, no PIC, no debug info, ABI data alignment only (records stay
#   packed at their natural alignment), -mcmodel is the default (x64 code
#   reaches data RIP-relatively, which the fixed code-to-data distance serves).
set(QL_IMAGE_CXX_FLAGS
  -std=c++20 -O2 -g0
  -ffreestanding -nostdlib -fno-exceptions -fno-rtti
  -fno-asynchronous-unwind-tables -fno-unwind-tables
  -fno-jump-tables -fno-stack-protector -fno-threadsafe-statics
  -mno-stack-arg-probe -fno-pic -malign-data=abi
  -fno-tree-loop-distribute-patterns
  -Wall -Wextra -Werror -Wno-missing-field-initializers)

# ql_compile_image_objects(out_var COMPILER g++ SOURCES ... [TAG name]
#                          [INCLUDE_DIRS ...] [COMPILE_OPTIONS ...]):
# one custom command per source; header dependencies through depfiles.
function(ql_compile_image_objects out_var)
  cmake_parse_arguments(C "" "COMPILER;TAG" "SOURCES;INCLUDE_DIRS;COMPILE_OPTIONS" ${ARGN})
  set(includes -I${QL_IMAGE_SDK_INCLUDE})
  foreach(dir ${C_INCLUDE_DIRS})
    list(APPEND includes -I${dir})
  endforeach()
  if(NOT C_COMPILER)
    message(FATAL_ERROR "ql_compile_image_objects(${C_TAG}): no compiler given")
  endif()
  set(objects)
  foreach(source ${C_SOURCES})
    get_filename_component(absolute ${source} ABSOLUTE)
    get_filename_component(stem ${source} NAME_WE)
    set(object ${CMAKE_CURRENT_BINARY_DIR}/${C_TAG}.image/${stem}.o)
    add_custom_command(
      OUTPUT ${object}
      COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_CURRENT_BINARY_DIR}/${C_TAG}.image
      COMMAND ${C_COMPILER} ${QL_IMAGE_CXX_FLAGS} ${C_COMPILE_OPTIONS} ${includes} -MD -MF ${object}.d
              -c ${absolute} -o ${object}
      DEPENDS ${absolute}
      DEPFILE ${object}.d
      COMMENT "Compiling image object ${C_TAG}/${stem}.o"
      VERBATIM)
    list(APPEND objects ${object})
  endforeach()
  set(${out_var} ${objects} PARENT_SCOPE)
endfunction()

# The builder a Windows preset runs: built once per build tree.
function(ql_image_builder out_var)
  if(NOT CMAKE_CROSSCOMPILING)
    set(${out_var} $<TARGET_FILE:quillon-image> PARENT_SCOPE)
    return()
  endif()
  if(NOT TARGET ql_host_tools)
    include(ExternalProject)
    find_program(QL_HOST_CXX NAMES g++ c++ REQUIRED NO_CMAKE_FIND_ROOT_PATH)
    ExternalProject_Add(ql_host_tools
      SOURCE_DIR ${PROJECT_SOURCE_DIR}/tools/host
      BINARY_DIR ${CMAKE_BINARY_DIR}/host-tools
      CMAKE_ARGS -DCMAKE_CXX_COMPILER=${QL_HOST_CXX} -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQL_WERROR=${QL_WERROR}
      CMAKE_GENERATOR ${CMAKE_GENERATOR}
      BUILD_COMMAND ${CMAKE_COMMAND} --build <BINARY_DIR> --target quillon-image
      BUILD_BYPRODUCTS ${CMAKE_BINARY_DIR}/host-tools/imagebuilder/quillon-image
      INSTALL_COMMAND ""
      BUILD_ALWAYS ON)
  endif()
  set(${out_var} ${CMAKE_BINARY_DIR}/host-tools/imagebuilder/quillon-image PARENT_SCOPE)
endfunction()

function(ql_add_image name)
  cmake_parse_arguments(I "" "MANIFEST;RUNTIME;DEV_DIR;COMPILER" "SOURCES;RESOURCES;INCLUDE_DIRS;COMPILE_OPTIONS" ${ARGN})
  if(NOT I_COMPILER)
    if(NOT WIN32)
      message(FATAL_ERROR "ql_add_image(${name}): images are built with a mingw g++; give COMPILER off Windows")
    endif()
    set(I_COMPILER ${CMAKE_CXX_COMPILER})
  endif()
  if(NOT I_MANIFEST OR NOT I_SOURCES)
    message(FATAL_ERROR "ql_add_image(${name}): SOURCES and MANIFEST are required")
  endif()
  ql_compile_image_objects(objects COMPILER ${I_COMPILER} TAG ${name}
                           SOURCES ${I_SOURCES} ${QL_IMAGE_SUPPORT_SOURCE}
                           INCLUDE_DIRS ${I_INCLUDE_DIRS} COMPILE_OPTIONS ${I_COMPILE_OPTIONS})
  ql_image_builder(builder)
  get_filename_component(manifest ${I_MANIFEST} ABSOLUTE)
  file(GLOB entry_headers CONFIGURE_DEPENDS ${QL_IMAGE_ENTRY_POINTS}/*.h)
  set(arguments --entry-points ${QL_IMAGE_ENTRY_POINTS} --manifest ${manifest})
  set(outputs)
  set(depends ${objects} ${manifest} ${I_RESOURCES} ${entry_headers})
  if(TARGET ql_host_tools)
    # Ordering after the external build, and a rebuild when the tool changed.
    list(APPEND depends ql_host_tools ${builder})
  elseif(TARGET quillon-image)
    list(APPEND depends quillon-image)
  endif()
  if(I_RUNTIME)
    set(executable ${CMAKE_CURRENT_BINARY_DIR}/${name}.exe)
    list(APPEND arguments --append-to $<TARGET_FILE:${I_RUNTIME}> -o ${executable})
    list(APPEND outputs ${executable})
    list(APPEND depends ${I_RUNTIME})
  endif()
  if(I_DEV_DIR)
    get_filename_component(dev_dir ${I_DEV_DIR} ABSOLUTE BASE_DIR ${CMAKE_CURRENT_BINARY_DIR})
    list(APPEND arguments --dev-dir ${dev_dir})
    foreach(file code data import rsrc options)
      list(APPEND outputs ${dev_dir}/${file}.dat)
    endforeach()
  endif()
  if(NOT outputs)
    message(FATAL_ERROR "ql_add_image(${name}): give RUNTIME, DEV_DIR or both")
  endif()
  add_custom_command(
    OUTPUT ${outputs}
    COMMAND ${builder} ${arguments} ${objects}
    DEPENDS ${depends}
    COMMENT "Building image ${name}"
    VERBATIM)
  add_custom_target(${name} ALL DEPENDS ${outputs})
  set_target_properties(${name} PROPERTIES QL_IMAGE_EXECUTABLE "${executable}" QL_IMAGE_DEV_DIR "${dev_dir}")
endfunction()

# ql_find_mingw_compiler(machine): the mingw C++ compiler of amd64 or i386 in
# QL_<machine>_CXX, for host-side builds of images for either machine.
function(ql_find_mingw_compiler machine)
  if(machine STREQUAL "amd64")
    set(prefix x86_64-w64-mingw32)
  else()
    set(prefix i686-w64-mingw32)
  endif()
  find_program(QL_${machine}_CXX NAMES ${prefix}-g++-posix ${prefix}-g++ REQUIRED)
endfunction()
