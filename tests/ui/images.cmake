# The window tests' image, appended to the runtime and run as a child
# process; the tests answer its dialogs with the start-up tests' helper.
if(TARGET QuillonRuntime)
  target_sources(ui_tests PRIVATE startup/child_runtime.cpp)
  add_dependencies(ui_tests QuillonRuntime)
  target_compile_definitions(ui_tests PRIVATE QL_RUNTIME_EXE="$<TARGET_FILE:QuillonRuntime>")
  ql_add_image(window_image
    SOURCES ui/fixtures/window_image.cpp
    MANIFEST ui/fixtures/window_image.manifest
    RUNTIME QuillonRuntime)
  # The same image in MDI mode.
  ql_add_image(mdi_window_image
    SOURCES ui/fixtures/window_image.cpp
    MANIFEST ui/fixtures/mdi_window_image.manifest
    RUNTIME QuillonRuntime)
  add_dependencies(ui_tests window_image mdi_window_image)
  target_compile_definitions(ui_tests PRIVATE QL_WINDOW_IMAGE_EXE="${CMAKE_CURRENT_BINARY_DIR}/window_image.exe"
                                              QL_MDI_WINDOW_IMAGE_EXE="${CMAKE_CURRENT_BINARY_DIR}/mdi_window_image.exe")
endif()
