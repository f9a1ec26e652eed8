# JUCE's modules compiled once into one static library that the program, the
# tests and the tools all link, instead of recompiling the module sources into
# every target that uses them.

find_package(JUCE 7.0.5 CONFIG REQUIRED)

add_library(juce_static STATIC)

target_link_libraries(juce_static
    PRIVATE
        juce::juce_core
        juce::juce_events
        juce::juce_data_structures
        juce::juce_graphics
        juce::juce_gui_basics
        juce::juce_gui_extra
    PUBLIC
        juce::juce_recommended_config_flags)

target_compile_definitions(juce_static
    PUBLIC
        JUCE_GLOBAL_MODULE_SETTINGS_INCLUDED=1
        JUCE_STANDALONE_APPLICATION=1
        JUCE_WEB_BROWSER=0
        JUCE_USE_CURL=0
        JUCE_DISPLAY_SPLASH_SCREEN=0
        JUCE_REPORT_APP_USAGE=0
        # The tests pump the message loop for a bounded time.
        JUCE_MODAL_LOOPS_PERMITTED=1)

if(WIN32)
    # Debian's module sources leave out zlib, libpng and libjpeg: zlib comes from
    # libz-mingw-w64-dev, libpng and libjpeg from scripts/build-windows-deps.sh,
    # all static, so that an executable needs no DLL of theirs.
    set(VXQ_WINDOWS_DEPS_PREFIX "${CMAKE_BINARY_DIR}/deps/prefix" CACHE PATH
        "Where scripts/build-windows-deps.sh installed libpng and libjpeg")
    list(APPEND CMAKE_FIND_ROOT_PATH "${VXQ_WINDOWS_DEPS_PREFIX}")
    set(CMAKE_FIND_LIBRARY_SUFFIXES .a)
    set(ZLIB_USE_STATIC_LIBS ON)
    find_package(ZLIB REQUIRED)
    find_package(PNG REQUIRED)
    find_package(JPEG REQUIRED)

    target_link_libraries(juce_static PUBLIC PNG::PNG JPEG::JPEG ZLIB::ZLIB)
    target_compile_definitions(juce_static PUBLIC JUCE_USE_DIRECTWRITE=0)
    set_source_files_properties("${JUCE_MODULES_DIR}/juce_graphics/juce_graphics.cpp" PROPERTIES
        COMPILE_OPTIONS "-include;${PROJECT_SOURCE_DIR}/platform/windows/JpegBoolean.h")
else()
    target_link_libraries(juce_static PUBLIC juce::pkgconfig_JUCE_IMG_LINUX_DEPS)
endif()

# Hand the module include paths and definitions on to every user of the library;
# JUCE's own headers are treated as system headers so that our warnings stay ours.
target_include_directories(juce_static SYSTEM INTERFACE
    $<TARGET_PROPERTY:juce_static,INCLUDE_DIRECTORIES>)
target_compile_definitions(juce_static INTERFACE
    $<TARGET_PROPERTY:juce_static,COMPILE_DEFINITIONS>)

set_target_properties(juce_static PROPERTIES
    POSITION_INDEPENDENT_CODE ON
    VISIBILITY_INLINES_HIDDEN ON
    CXX_VISIBILITY_PRESET hidden)
