# Windows: the target vxqmrt6hid is the import library made from our own
# vxqmrt6hid.def, so every executable imports vxqmrt6hid.dll by name, as it
# would import the maker's. The stand-in builds as vxqmrt6hid.dll; linking it
# with the same list fails if it lacks one of the ten operations.

set(vendorDefinitions ${CMAKE_CURRENT_LIST_DIR}/../vxqmrt6hid.def)
set(vendorImportLibrary ${CMAKE_CURRENT_BINARY_DIR}/libvxqmrt6hid.dll.a)

add_custom_command(OUTPUT ${vendorImportLibrary}
    COMMAND ${CMAKE_DLLTOOL} --input-def ${vendorDefinitions} --dllname vxqmrt6hid.dll
            --output-lib ${vendorImportLibrary}
    DEPENDS ${vendorDefinitions}
    VERBATIM)
add_custom_target(vxqmrt6hid_import_library DEPENDS ${vendorImportLibrary})

# The stand-in's own import library follows, for the tests' control API:
# the ten operations resolve from the first, and a program that calls none of
# the control API imports nothing through the second.
add_library(vxqmrt6hid INTERFACE)
target_include_directories(vxqmrt6hid INTERFACE ${CMAKE_CURRENT_LIST_DIR}/..)
target_link_libraries(vxqmrt6hid INTERFACE ${vendorImportLibrary} vxqmrt6hid_standin)
add_dependencies(vxqmrt6hid vxqmrt6hid_import_library)

target_sources(vxqmrt6hid_standin PRIVATE ${vendorDefinitions})
set_target_properties(vxqmrt6hid_standin PROPERTIES
    PREFIX ""
    OUTPUT_NAME vxqmrt6hid
    ARCHIVE_OUTPUT_NAME vxqmrt6hid_standin)
