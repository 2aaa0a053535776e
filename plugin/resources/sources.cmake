# The embedded resource tree (":/ColorFields/resources/...", ":/Json/resources/...").
#
# ColorDorvo.qrc names every file by its path relative to this folder. The tree is assembled in the
# build folder: files kept in the source tree are copied there, generated ones are written there by
# the generators of tools/, and rcc compiles the assembled tree into the plug-in. To add a file:
# list it in ColorDorvo.qrc and register it below the helpers with colordorvo_static_resource or
# colordorvo_generated_resource.

set(COLORDORVO_RESOURCE_SOURCE_DIR ${CMAKE_CURRENT_LIST_DIR})
set(COLORDORVO_RESOURCE_DIR ${CMAKE_CURRENT_BINARY_DIR}/resources)
set(COLORDORVO_RESOURCE_FILES "")

# colordorvo_static_resource(<path>): a file kept in plugin/resources/<path>.
function(colordorvo_static_resource path)
  set(out ${COLORDORVO_RESOURCE_DIR}/${path})
  add_custom_command(OUTPUT ${out}
    COMMAND ${CMAKE_COMMAND} -E copy ${COLORDORVO_RESOURCE_SOURCE_DIR}/${path} ${out}
    DEPENDS ${COLORDORVO_RESOURCE_SOURCE_DIR}/${path}
    VERBATIM)
  set(COLORDORVO_RESOURCE_FILES ${COLORDORVO_RESOURCE_FILES} ${out} PARENT_SCOPE)
endfunction()

# colordorvo_generated_resource(<path> <generator target> [args...]): runs the generator with the
# output file as its first argument, then the args.
function(colordorvo_generated_resource path generator)
  set(out ${COLORDORVO_RESOURCE_DIR}/${path})
  get_filename_component(outdir ${out} DIRECTORY)
  add_custom_command(OUTPUT ${out}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${outdir}
    COMMAND ${generator} ${out} ${ARGN}
    DEPENDS ${generator}
    VERBATIM)
  set(COLORDORVO_RESOURCE_FILES ${COLORDORVO_RESOURCE_FILES} ${out} PARENT_SCOPE)
endfunction()

colordorvo_generated_resource(ColorFields/resources/RgbColorField.jpg colordorvo_make_field_picture)
colordorvo_generated_resource(ColorFields/resources/hsvWheel.png colordorvo_make_wheel_picture hsv)
colordorvo_generated_resource(ColorFields/resources/hueWheel.png colordorvo_make_wheel_picture hue)
colordorvo_static_resource(Json/resources/ColorDorvoColorList_default.json)

# rcc over the assembled tree; the generated source registers the resources when the module (or a
# test program) is loaded.
configure_file(${COLORDORVO_RESOURCE_SOURCE_DIR}/ColorDorvo.qrc ${COLORDORVO_RESOURCE_DIR}/ColorDorvo.qrc
  COPYONLY)
set(COLORDORVO_QRC_SOURCE ${CMAKE_CURRENT_BINARY_DIR}/qrc_ColorDorvo.cpp)
add_custom_command(OUTPUT ${COLORDORVO_QRC_SOURCE}
  COMMAND Qt5::rcc --name ColorDorvo --output ${COLORDORVO_QRC_SOURCE}
          ${COLORDORVO_RESOURCE_DIR}/ColorDorvo.qrc
  DEPENDS ${COLORDORVO_RESOURCE_DIR}/ColorDorvo.qrc ${COLORDORVO_RESOURCE_FILES}
  WORKING_DIRECTORY ${COLORDORVO_RESOURCE_DIR}
  VERBATIM)
set_source_files_properties(${COLORDORVO_QRC_SOURCE} PROPERTIES GENERATED ON SKIP_AUTOGEN ON)
list(APPEND COLORDORVO_SOURCES ${COLORDORVO_QRC_SOURCE})
