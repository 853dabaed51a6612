# The menu image, appended to the runtime, driven from the keyboard under
# wine by scripts/menu-image-e2e.sh (xdotool on the test display).
if(TARGET QuillonRuntime AND QL_TARGET STREQUAL "win64")
  ql_add_image(menu_image
    SOURCES menus/fixtures/menu_image.cpp
    MANIFEST menus/fixtures/menu_image.manifest
    RUNTIME QuillonRuntime)
  add_test(NAME menu_image_e2e
           COMMAND bash ${PROJECT_SOURCE_DIR}/scripts/menu-image-e2e.sh ${CMAKE_CURRENT_BINARY_DIR}/menu_image.exe)
  # Alone on the display: another test's window could take the keyboard focus.
  set_tests_properties(menu_image_e2e PROPERTIES RUN_SERIAL TRUE)
endif()
