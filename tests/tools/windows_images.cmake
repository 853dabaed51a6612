if(WIN32)
  # The Windows presets' image path end to end: the host builder built as an
  # external project, the sample compiled with this preset's compiler and
  # appended to a stand-in executable with the "PICKLE" locator.
  enable_language(RC)
  add_executable(tools_pickle_runtime tools/fixtures/pickle_runtime.c tools/fixtures/pickle_runtime.rc)
  ql_add_image(tools_sample_image
    SOURCES tools/fixtures/sample_image.cpp
    MANIFEST tools/fixtures/sample.manifest
    RESOURCES tools/fixtures/picture.bin tools/fixtures/plugin.bin
    RUNTIME tools_pickle_runtime
    DEV_DIR tools_sample_image.dev)
endif()
