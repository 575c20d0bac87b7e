# Windows: the programs cross-built with MinGW-w64 (make windows) against the static
# libraries that scripts/build-deps windows made, with the data the Linux build generated:
# its generators draw with Cairo and Pango, which are not built for Windows.
enable_language(RC)
if(NOT ORVALE_DEPS_PREFIX OR NOT ORVALE_HOST_BUILD)
  message(FATAL_ERROR "a Windows build needs -DORVALE_DEPS_PREFIX=(scripts/build-deps windows) and "
                      "-DORVALE_HOST_BUILD=(the Linux build folder, whose data/ it ships): use make windows")
endif()
set(ENV{PKG_CONFIG_LIBDIR} "${ORVALE_DEPS_PREFIX}/lib/pkgconfig:/usr/x86_64-w64-mingw32/lib/pkgconfig")
set(PKG_CONFIG_ARGN --static)
set(CMAKE_FIND_LIBRARY_SUFFIXES .a)
# Linked fully static: the programs import only DLLs that every Windows has.
add_link_options(-static -static-libgcc -static-libstdc++)
add_compile_definitions(SDL_MAIN_HANDLED WIN32_LEAN_AND_MEAN NOMINMAX _USE_MATH_DEFINES)

macro(orvale_platform_dependencies)
  # SDL's CMake package: the static library without SDL's own entry point, which the programs
  # do not use (they have their own main).
  find_package(SDL2 REQUIRED CONFIG)
  set(SDL2_TARGET SDL2::SDL2-static)
  # The system font atlas's rasteriser.
  pkg_check_modules(FONTS REQUIRED IMPORTED_TARGET freetype2)
  set(FONTS_TARGET PkgConfig::FONTS)

  # The Linux build's data, and the face that stands in for "Verdana" where Windows lacks it.
  set(BANNER_BMP_PATH ${ORVALE_HOST_BUILD}/resources/banner.bmp)
  set(DEJAVU_DIR /usr/share/fonts/truetype/dejavu)
  add_custom_target(data ALL
    COMMAND ${CMAKE_COMMAND} -E copy_directory ${ORVALE_HOST_BUILD}/data ${CMAKE_BINARY_DIR}/data
    COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/data/fonts
    COMMAND ${CMAKE_COMMAND} -E copy ${DEJAVU_DIR}/DejaVuSans.ttf ${CMAKE_BINARY_DIR}/data/fonts/
    COMMAND ${CMAKE_COMMAND} -E copy /usr/share/doc/fonts-dejavu-core/copyright
            ${CMAKE_BINARY_DIR}/data/fonts/DejaVuSans-LICENSE.txt
    COMMENT "Copying the data of ${ORVALE_HOST_BUILD}")

  # This platform's files in the layers that declare them: font lookup in the system's fonts
  # folder, fatal messages in a message box or on the console, no videos.
  set(ORVALE_TEXT_PLATFORM_SOURCES text/SystemFontAtlas.cpp platform/windows/FontFile.cpp)
  set(ORVALE_APP_PLATFORM_SOURCES platform/windows/Fatal.cpp)
  set(ORVALE_CAPTURE_VIDEO_SOURCES VideoWindows.cpp)
endmacro()

macro(orvale_platform_programs)
  # The setup dialog from its resource script, with the banner; a GUI program (no console).
  add_executable(orvale-invit WIN32 src/platform/desktop/main.cpp src/platform/windows/SetupDialog.cpp
                              resources/setup-dialog.rc)
  set_property(SOURCE resources/setup-dialog.rc APPEND PROPERTY OBJECT_DEPENDS ${BANNER_BMP_PATH})
  target_include_directories(orvale-invit PRIVATE ${ORVALE_HOST_BUILD}/resources)
  target_link_libraries(orvale-invit PRIVATE orvale_app)
  add_dependencies(orvale-invit data)
  target_compile_definitions(orvale-invit PRIVATE ORVALE_VERSION="${PROJECT_VERSION}")
  add_subdirectory(tools/capture)
endmacro()
