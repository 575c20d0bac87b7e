# The web page (make web), built with emscripten against the static libraries that
# scripts/build-deps web made, with the data the Linux build generated.
if(NOT ORVALE_DEPS_PREFIX OR NOT ORVALE_HOST_BUILD)
  message(FATAL_ERROR "a web build needs -DORVALE_DEPS_PREFIX=(scripts/build-deps web) and "
                      "-DORVALE_HOST_BUILD=(the Linux build folder, whose data/ it ships): use make web")
endif()
set(ENV{PKG_CONFIG_LIBDIR} "${ORVALE_DEPS_PREFIX}/lib/pkgconfig")
set(PKG_CONFIG_ARGN --static)
list(APPEND CMAKE_FIND_ROOT_PATH ${ORVALE_DEPS_PREFIX})
add_compile_definitions(SDL_MAIN_HANDLED)

macro(orvale_platform_dependencies)
  # SDL: ours, not the one emscripten carries (that one is downloaded on use).
  find_package(SDL2 REQUIRED CONFIG PATHS ${ORVALE_DEPS_PREFIX}/lib/cmake/SDL2 NO_DEFAULT_PATH NO_CMAKE_FIND_ROOT_PATH)
  set(SDL2_TARGET SDL2::SDL2-static)
  # The Linux build's data goes into the page's data package as it is linked.
  set(BANNER_PNG_PATH ${ORVALE_HOST_BUILD}/resources/banner.png)

  # This platform's files in the layers that declare them: no system font atlas (no font
  # rasteriser, no faces: a sixth of the page's size), fatal messages on the page.
  set(FONTS_TARGET)
  set(ORVALE_TEXT_PLATFORM_SOURCES platform/web/SystemFontAtlas.cpp)
  set(ORVALE_APP_PLATFORM_SOURCES platform/web/Fatal.cpp platform/web/WebPage.cpp)
endmacro()

macro(orvale_platform_programs)
  # The page's program, its script and data package, and the page itself, in site/: all that
  # a static host serves.
  set(SITE_DIR ${CMAKE_BINARY_DIR}/site)
  set(PAGE_SCRIPT ${CMAKE_SOURCE_DIR}/resources/web/page.js)
  file(WRITE ${CMAKE_BINARY_DIR}/library-functions.json "[\"$autoResumeAudioContext\", \"$dynCall\"]\n")
  add_executable(orvale-invit src/platform/web/main.cpp)
  target_link_libraries(orvale-invit PRIVATE orvale_app)
  target_compile_definitions(orvale-invit PRIVATE ORVALE_VERSION="${PROJECT_VERSION}")
  set_target_properties(orvale-invit PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${SITE_DIR} SUFFIX .js
                        LINK_DEPENDS "${PAGE_SCRIPT};${ORVALE_HOST_BUILD}/data/music/tidewater.ogg")
  target_link_options(orvale-invit PRIVATE
    # WebGL 2 alone (OpenGL ES 3.0); the decoded music (74 MB) grows the memory.
    -sMIN_WEBGL_VERSION=2 -sMAX_WEBGL_VERSION=2 -sALLOW_MEMORY_GROWTH=1 -sENVIRONMENT=web
    # SDL's Web Audio output needs these from emscripten's library (named in a file: the
    # build's shell would read their names' dollar signs).
    -sDEFAULT_LIBRARY_FUNCS_TO_INCLUDE=@${CMAKE_BINARY_DIR}/library-functions.json
    --pre-js ${PAGE_SCRIPT}
    --preload-file ${ORVALE_HOST_BUILD}/data@/data)
  add_custom_command(
    OUTPUT ${SITE_DIR}/index.html
    COMMAND ${CMAKE_COMMAND} -DTEMPLATE=${CMAKE_SOURCE_DIR}/resources/web/index.html -DBANNER=${BANNER_PNG_PATH}
            -DVERSION=${PROJECT_VERSION} -DOUTPUT=${SITE_DIR}/index.html -P ${CMAKE_SOURCE_DIR}/cmake/WebPage.cmake
    DEPENDS ${CMAKE_SOURCE_DIR}/resources/web/index.html ${BANNER_PNG_PATH} ${CMAKE_SOURCE_DIR}/cmake/WebPage.cmake
    COMMENT "Writing the page")
  # The manifest that lets the page be added to a home screen, and its icon (the desktop
  # programs' own, drawn by the picture generator), also the page's icon.
  add_custom_command(
    OUTPUT ${SITE_DIR}/orvale-invit.webmanifest ${SITE_DIR}/orvale-invit.png
    COMMAND ${CMAKE_COMMAND} -E copy ${CMAKE_SOURCE_DIR}/resources/web/orvale-invit.webmanifest
            ${ORVALE_HOST_BUILD}/resources/orvale-invit.png ${SITE_DIR}
    DEPENDS ${CMAKE_SOURCE_DIR}/resources/web/orvale-invit.webmanifest ${ORVALE_HOST_BUILD}/resources/orvale-invit.png
    COMMENT "Copying the page's manifest and icon")
  add_custom_target(page ALL DEPENDS ${SITE_DIR}/index.html ${SITE_DIR}/orvale-invit.webmanifest
                    ${SITE_DIR}/orvale-invit.png)
endmacro()
