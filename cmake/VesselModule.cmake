# add_vessel_module(NAME SOURCES... [EXPORTS sym...])
# A plug-in: a shared module named exactly NAME.so in build/Modules, that
# exports ovcInit, ovcExit and the EXPORTS given, and nothing else. The SDK's
# symbols stay undefined and are bound to the host when it loads the module.
function(add_vessel_module name)
  cmake_parse_arguments(VM "" "" "SOURCES;EXPORTS" ${ARGN})
  add_library(${name} MODULE ${VM_SOURCES})
  target_link_libraries(${name} PRIVATE host_sdk vessel_common)
  set(exports ovcInit ovcExit ${VM_EXPORTS})
  set(script "{\n  global:\n")
  foreach(sym IN LISTS exports)
    string(APPEND script "    ${sym};\n")
  endforeach()
  string(APPEND script "  local: *;\n};\n")
  set(map ${CMAKE_CURRENT_BINARY_DIR}/${name}.exports.map)
  file(WRITE ${map} "${script}")
  set_target_properties(${name} PROPERTIES
    PREFIX ""
    LIBRARY_OUTPUT_DIRECTORY ${VH_MODULE_DIR}
    CXX_VISIBILITY_PRESET hidden
    VISIBILITY_INLINES_HIDDEN ON
    LINK_DEPENDS ${map})
  target_link_options(${name} PRIVATE "LINKER:--version-script=${map}")
endfunction()
