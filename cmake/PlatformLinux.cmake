# Linux: the programs and their data, the tests and the benchmarks, built with the system's
# compiler and libraries.

macro(orvale_platform_dependencies)
  pkg_check_modules(SDL2 REQUIRED IMPORTED_TARGET sdl2)
  set(SDL2_TARGET PkgConfig::SDL2)
  # The system font atlas's rasteriser and font matching.
  pkg_check_modules(FONTS REQUIRED IMPORTED_TARGET freetype2 fontconfig)
  set(FONTS_TARGET PkgConfig::FONTS)
  pkg_check_modules(GTK3 REQUIRED IMPORTED_TARGET gtk+-3.0)
  pkg_check_modules(PANGOCAIRO REQUIRED IMPORTED_TARGET pangocairo)
  find_program(GLIB_COMPILE_RESOURCES glib-compile-resources REQUIRED)

  # Pictures drawn from code at build time: the intro's into data/gfx, where the programs
  # (run from the build tree) read them, and the dialog's banner among the resources.
  set(GFX_DIR ${CMAKE_BINARY_DIR}/data/gfx)
  set(RESOURCES_BUILD_DIR ${CMAKE_BINARY_DIR}/resources)
  set(BANNER_PATH ${RESOURCES_BUILD_DIR}/banner.png)
  set(ICON_PATH ${RESOURCES_BUILD_DIR}/orvale-invit.png)
  add_subdirectory(tools/pictures)
  add_subdirectory(tools/music)
  add_custom_target(data DEPENDS pictures music)

  # This platform's files in the layers that declare them: font lookup through fontconfig,
  # fatal messages on stderr and in a message box, videos through the ffmpeg program.
  set(ORVALE_TEXT_PLATFORM_SOURCES text/SystemFontAtlas.cpp platform/linux/FontFile.cpp)
  set(ORVALE_APP_PLATFORM_SOURCES platform/linux/Fatal.cpp)
  set(ORVALE_CAPTURE_VIDEO_SOURCES VideoEncoder.cpp VideoLinux.cpp)
endmacro()

macro(orvale_platform_programs)
  # The setup dialog's layout and banner, compiled into the program.
  set(DIALOG_RESOURCES_C ${RESOURCES_BUILD_DIR}/setup-dialog-resources.c)
  add_custom_command(
    OUTPUT ${DIALOG_RESOURCES_C}
    COMMAND ${GLIB_COMPILE_RESOURCES} --generate-source --target=${DIALOG_RESOURCES_C}
            --sourcedir=${CMAKE_SOURCE_DIR}/resources --sourcedir=${RESOURCES_BUILD_DIR}
            ${CMAKE_SOURCE_DIR}/resources/setup-dialog.gresource.xml
    DEPENDS ${CMAKE_SOURCE_DIR}/resources/setup-dialog.gresource.xml
            ${CMAKE_SOURCE_DIR}/resources/setup-dialog.ui
            ${BANNER_PATH}
    COMMENT "Compiling the setup dialog resources")
  set_source_files_properties(${DIALOG_RESOURCES_C} PROPERTIES COMPILE_OPTIONS "-Wno-overlength-strings")

  add_executable(orvale-invit src/platform/desktop/main.cpp src/platform/linux/SetupDialog.cpp ${DIALOG_RESOURCES_C})
  target_link_libraries(orvale-invit PRIVATE orvale_app PkgConfig::GTK3)
  target_compile_definitions(orvale-invit PRIVATE ORVALE_VERSION="${PROJECT_VERSION}")

  add_subdirectory(tools/capture)
  add_subdirectory(tools/frame-compare)

  # Installing: the two programs, their data where they look for it (../share/orvale-invit
  # beside them), a desktop entry with its icon, the manual pages and the documents.
  install(TARGETS orvale-invit orvale-capture RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
  install(DIRECTORY ${CMAKE_BINARY_DIR}/data/ DESTINATION ${CMAKE_INSTALL_DATADIR}/orvale-invit)
  install(FILES resources/orvale-invit.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
  install(FILES ${ICON_PATH} DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/256x256/apps)
  install(FILES docs/orvale-invit.6 DESTINATION ${CMAKE_INSTALL_MANDIR}/man6)
  install(FILES docs/orvale-capture.1 DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
  install(FILES README.md CHANGELOG.md LICENSE DESTINATION ${CMAKE_INSTALL_DOCDIR})

  # The tests and benchmarks, where their frameworks are installed (scripts/install-deps --test);
  # a machine with only what running and building need builds the programs alone.
  find_package(GTest QUIET)
  find_package(benchmark QUIET)
  if(GTest_FOUND AND benchmark_FOUND)
    enable_testing()
    add_subdirectory(tests)
    add_subdirectory(bench)
  else()
    message(STATUS "GoogleTest or Google Benchmark is not installed: the tests and benchmarks are left out")
  endif()
endmacro()
