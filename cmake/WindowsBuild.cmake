# The Windows build: executables and DLLs side by side in bin/, as they ship;
# resources compiled with windres; in a cross build, CTest runs the programs
# under Wine, in a Wine prefix of the build's own.

enable_language(RC)

set(CMAKE_RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bin)

# The compiler's runtime (libstdc++, libgcc, winpthreads) linked in, so that
# neither the executables nor the stand-in DLL need a DLL of it.
add_link_options(-static -static-libgcc -static-libstdc++)

if(CMAKE_CROSSCOMPILING)
    # Debian's JUCE module sources serve every platform; a cross build takes
    # them from the build machine, outside the mingw root.
    file(GLOB hostJuceDirectory /usr/lib/*-linux-gnu/cmake/JUCE-7.0.5)
    set(JUCE_DIR ${hostJuceDirectory} CACHE PATH "Debian's JUCE package on the build machine")

    set(CMAKE_CROSSCOMPILING_EMULATOR
        ${PROJECT_SOURCE_DIR}/scripts/run-under-wine.sh ${CMAKE_BINARY_DIR}/wineprefix)
endif()

# What the program's executable has on Windows beyond its code: the narrow
# WinMain entry (no -municode) that runs JUCE's application main, the GUI
# subsystem, the version resource and the manifest.
function(vxq_add_windows_program_parts target)
    set(windowsDirectory ${PROJECT_SOURCE_DIR}/platform/windows)
    target_sources(${target} PRIVATE
        ${windowsDirectory}/WinMain.cpp
        ${windowsDirectory}/WineRepaintPump.cpp
        ${windowsDirectory}/VersionInfo.rc
        ${windowsDirectory}/Manifest.rc)
    set_target_properties(${target} PROPERTIES WIN32_EXECUTABLE TRUE)
    target_link_libraries(${target} PRIVATE juce_static)
endfunction()
