# The start-up tests' images: on Windows presets the test images appended to
# the runtime and as development files, on linux the same image for both
# machines, which the linker tests link as the runtime would.
if(TARGET QuillonRuntime)
  # Start-up tests run the bare runtime executable as a child process.
  add_dependencies(startup_tests QuillonRuntime)
  target_compile_definitions(startup_tests PRIVATE QL_RUNTIME_EXE="$<TARGET_FILE:QuillonRuntime>"
    QL_VERSION_MAJOR=${PROJECT_VERSION_MAJOR} QL_VERSION_MINOR=${PROJECT_VERSION_MINOR}
    QL_VERSION_PATCH=${PROJECT_VERSION_PATCH})
  # Their image, appended to the runtime and as development files; the dump
  # at build time proves the host tools read it.
  ql_add_image(startup_image
    SOURCES startup/fixtures/startup_image.cpp
    MANIFEST startup/fixtures/startup_image.manifest
    RUNTIME QuillonRuntime
    DEV_DIR startup_image.dev)
  ql_image_builder(image_builder)
  if(QL_TARGET STREQUAL "win32")
    set(image_machine i386)
  else()
    set(image_machine amd64)
  endif()
  add_custom_command(
    OUTPUT startup_image.dump.txt
    COMMAND ${image_builder} --dump ${CMAKE_CURRENT_BINARY_DIR}/startup_image.exe --machine ${image_machine}
            > startup_image.dump.txt
    DEPENDS startup_image ${CMAKE_CURRENT_BINARY_DIR}/startup_image.exe
    COMMENT "Dumping image startup_image.exe")
  add_custom_target(startup_image_dump ALL DEPENDS startup_image.dump.txt)
  add_dependencies(startup_tests startup_image)
  target_compile_definitions(startup_tests PRIVATE
    QL_STARTUP_IMAGE_EXE="${CMAKE_CURRENT_BINARY_DIR}/startup_image.exe"
    QL_STARTUP_IMAGE_DEV="${CMAKE_CURRENT_BINARY_DIR}/startup_image.dev")

  # The main loop's image, appended to the runtime.
  ql_add_image(loop_image
    SOURCES startup/fixtures/loop_image.cpp
    MANIFEST startup/fixtures/loop_image.manifest
    RUNTIME QuillonRuntime)
  add_dependencies(startup_tests loop_image)
  target_compile_definitions(startup_tests PRIVATE QL_LOOP_IMAGE_EXE="${CMAKE_CURRENT_BINARY_DIR}/loop_image.exe")

  # Strings, a class from tables, objects and exceptions; linux32 runs the
  # same sources built for IA-32 and expects the same report.
  ql_add_image(language_image
    SOURCES startup/fixtures/language_image.cpp
    MANIFEST startup/fixtures/language_image.manifest
    RUNTIME QuillonRuntime)
  add_dependencies(startup_tests language_image)
  target_compile_definitions(startup_tests PRIVATE QL_LANGUAGE_IMAGE_EXE="${CMAKE_CURRENT_BINARY_DIR}/language_image.exe")

  # The resource tests' plug-in library (an ordinary DLL) and their image,
  # which carries it and a resource of every kind the accessors build.
  add_library(ql_test_plugin SHARED plugins/test_plugin.cpp)
  ql_target_defaults(ql_test_plugin)
  target_include_directories(ql_test_plugin PRIVATE ${PROJECT_SOURCE_DIR}/sdk/include)
  set_target_properties(ql_test_plugin PROPERTIES PREFIX "" OUTPUT_NAME QuillonTestPlugin
                        RUNTIME_OUTPUT_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR}/plugins)
  set(RESOURCES ${CMAKE_CURRENT_SOURCE_DIR}/startup/fixtures/resources)
  set(PLUGIN ${CMAKE_CURRENT_BINARY_DIR}/plugins/QuillonTestPlugin.dll)
  configure_file(startup/fixtures/resource_image.manifest.in resource_image.manifest @ONLY)
  file(GLOB resource_files CONFIGURE_DEPENDS ${RESOURCES}/*)
  ql_add_image(resource_image
    SOURCES startup/fixtures/resource_image.cpp
    MANIFEST ${CMAKE_CURRENT_BINARY_DIR}/resource_image.manifest
    RESOURCES ${resource_files} ${PLUGIN}
    RUNTIME QuillonRuntime
    DEV_DIR resource_image.dev)
  add_dependencies(resource_image ql_test_plugin)
  add_dependencies(startup_tests resource_image)
  target_compile_definitions(startup_tests PRIVATE
    QL_RESOURCE_IMAGE_EXE="${CMAKE_CURRENT_BINARY_DIR}/resource_image.exe"
    QL_RESOURCE_IMAGE_DEV="${CMAKE_CURRENT_BINARY_DIR}/resource_image.dev")

  # An image carrying the appearance plug-in, whose Separator class lookup
  # finds only through the plug-in.
  set(APPEARANCE ${CMAKE_BINARY_DIR}/plugins/Appearance.dll)
  configure_file(startup/fixtures/separator_image.manifest.in separator_image.manifest @ONLY)
  ql_add_image(separator_image
    SOURCES startup/fixtures/separator_image.cpp
    MANIFEST ${CMAKE_CURRENT_BINARY_DIR}/separator_image.manifest
    RESOURCES ${APPEARANCE}
    RUNTIME QuillonRuntime)
  add_dependencies(separator_image ql_appearance_plugin)
  add_dependencies(startup_tests separator_image)
  target_compile_definitions(startup_tests PRIVATE
    QL_SEPARATOR_IMAGE_EXE="${CMAKE_CURRENT_BINARY_DIR}/separator_image.exe")
endif()
if(QL_TARGET STREQUAL "linux")
  # The start-up tests' image for both machines as development files, which
  # the linker tests link as the runtime would.
  set(startup_images ${CMAKE_CURRENT_BINARY_DIR}/startup-images)
  set(startup_image_files)
  foreach(machine amd64 i386)
    ql_find_mingw_compiler(${machine})
    ql_compile_image_objects(objects COMPILER ${QL_${machine}_CXX} TAG startup_${machine}
                             SOURCES ${CMAKE_CURRENT_SOURCE_DIR}/startup/fixtures/startup_image.cpp
                                     ${QL_IMAGE_SUPPORT_SOURCE})
    set(dev_dir ${startup_images}/${machine})
    add_custom_command(
      OUTPUT ${dev_dir}/code.dat ${dev_dir}/import.dat ${dev_dir}/data.dat
      COMMAND quillon-image --entry-points ${QL_IMAGE_ENTRY_POINTS}
              --manifest ${CMAKE_CURRENT_SOURCE_DIR}/startup/fixtures/startup_image.manifest
              --dev-dir ${dev_dir} ${objects}
      DEPENDS quillon-image ${objects} ${CMAKE_CURRENT_SOURCE_DIR}/startup/fixtures/startup_image.manifest
      COMMENT "Building the start-up image for ${machine}"
      VERBATIM)
    list(APPEND startup_image_files ${dev_dir}/code.dat)
  endforeach()
  add_custom_target(startup_test_images DEPENDS ${startup_image_files})

  # The runtime's reader, options, resource index and linker over any bytes,
  # seeded with the start-up image of both machines packed as appended blocks.
  set(image_seeds)
  foreach(machine amd64 i386)
    set(seed ${startup_images}/${machine}.block)
    add_custom_command(
      OUTPUT ${seed}
      COMMAND python3 ${CMAKE_CURRENT_SOURCE_DIR}/startup/fuzz/pack_block.py ${startup_images}/${machine} ${seed}
      DEPENDS ${startup_images}/${machine}/code.dat ${CMAKE_CURRENT_SOURCE_DIR}/startup/fuzz/pack_block.py
      VERBATIM)
    list(APPEND image_seeds ${seed})
  endforeach()
  add_custom_target(image_fuzz_seeds DEPENDS ${image_seeds})
  ql_add_fuzz_target(image_fuzz DIR startup LIBS quillon_runtime SEEDS ${image_seeds} DEPENDS image_fuzz_seeds)
  add_dependencies(startup_tests startup_test_images)
  target_compile_definitions(startup_tests PRIVATE QL_STARTUP_IMAGES_DIR="${startup_images}")
endif()
if(QL_TARGET STREQUAL "linux32")
  # IA-32 images executed in this 32-bit process: built from i686 mingw
  # objects by the host builder, as development files the tests read.
  ql_find_mingw_compiler(i386)
  foreach(image startup language)
    ql_add_image(${image}_image_ia32
      SOURCES startup/fixtures/${image}_image.cpp
      MANIFEST startup/fixtures/${image}_image.manifest
      COMPILER ${QL_i386_CXX}
      DEV_DIR ${image}_image_ia32.dev)
    add_dependencies(startup_tests ${image}_image_ia32)
  endforeach()
  target_compile_definitions(startup_tests PRIVATE
    QL_IA32_STARTUP_IMAGE_DEV="${CMAKE_CURRENT_BINARY_DIR}/startup_image_ia32.dev"
    QL_IA32_LANGUAGE_IMAGE_DEV="${CMAKE_CURRENT_BINARY_DIR}/language_image_ia32.dev")
endif()
