# The module the host loads: every object of the plug-in in one ColorDorvoPicker.dlu.
if(COLORDORVO_MAX_SDK_DIR)
  # For the real host: the .def file names the exports with the ordinals the host knows them by,
  # and the string table gives the descriptions the host shows.
  colordorvo_add_module(ColorDorvoPicker
    SOURCES $<TARGET_OBJECTS:colordorvo>
            ${CMAKE_CURRENT_SOURCE_DIR}/host/ColorDorvoPicker.def
            ${CMAKE_CURRENT_SOURCE_DIR}/host/ColorDorvoPicker.rc
    LIBS colordorvo_pictures colordorvo_color Qt5::Widgets
    OUTPUT_NAME ${COLORDORVO_MAX_MODULE_NAME} OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bin)
  return()
endif()

# Placed in bin/plugins where colordorvo-host looks by default. Only the entry point and the Lib*
# functions are visible: the plug-in's code is compiled hidden, and the version script keeps
# everything else local, including instances of the standard library's templates, which
# hidden visibility alone would export.
set(COLORDORVO_EXPORTS_MAP ${CMAKE_CURRENT_SOURCE_DIR}/host/ModuleExports.map)
colordorvo_add_module(ColorDorvoPicker
  SOURCES $<TARGET_OBJECTS:colordorvo>
  LIBS colordorvo_pictures colordorvo_color Qt5::Widgets)
target_link_options(ColorDorvoPicker PRIVATE -Wl,--version-script=${COLORDORVO_EXPORTS_MAP})
set_property(TARGET ColorDorvoPicker APPEND PROPERTY LINK_DEPENDS ${COLORDORVO_EXPORTS_MAP})
if(NOT COLORDORVO_SANITIZE)
  # Every reference resolved at link time, as the host's loader resolves them all at load.
  target_link_options(ColorDorvoPicker PRIVATE -Wl,-z,defs)
endif()
