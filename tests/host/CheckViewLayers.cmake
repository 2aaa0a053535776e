# cmake -DPLUGIN_DIR=<plugin/> -P CheckViewLayers.cmake
#
# The plug-in's folders stand in layers, from the bottom: the color model, the thin layer over
# the host's services, the views (fields, then swatches), the settings dialog, the picker dialog,
# and the rest of host/ (entry points, descriptors, adapter, utility), which creates the dialog.
# A file includes headers of its own folder and of folders below it, never above. Only the seam
# header, host/services/HostServices.h, includes the SDK's headers, but for the script engine's,
# which only host/services/ScriptServices.h includes, and only host/services/ScriptHost.cpp that. The layers below the dialog
# do not include the seam either, not even through a header of host/services: they reach the
# host through HostAccess.h, and only the sources of host/services include the seam.
# Form files count with the headers they name for their custom widgets.
#
# transfer/ (clipboard, drag and drop, the copy menu and their MIME data) stands between the
# fields and the swatches, which both drag and copy colors; swatches/files/ (the palette formats
# and the list store, no widgets) below the swatch views that read and write through it.
#
# fields/ has rooms, each a layer of its own below the views themselves: pictures/ (the pictures
# and the mappings, a library on the color model and QtGui alone, so it includes nothing but
# color/), then kit/ (what every view uses, the swatches' views included), then eyedropper/.
set(layers color host/services fields/pictures fields/kit fields/eyedropper fields transfer
    swatches/files swatches settings dialog host)
set(no_seam color fields/pictures fields/kit fields/eyedropper fields transfer swatches/files
    swatches settings)
# What fields/pictures includes besides its own layer.
set(pictures_includes color)
set(seam "host/services/HostServices.h")
# The script engine's seam: the script headers declare global classes the plug-in's names would
# clash with (MAXScript's ColorValue), so one unit alone includes it.
set(script_seam "host/services/ScriptServices.h")
set(script_unit "host/services/ScriptHost.cpp")

# The layer a header path or a plug-in file (relative to plugin/) belongs to, or "" for one that
# is none of the plug-in's (an SDK or generated header).
function(layer_of path out)
  set(found "")
  foreach(layer IN LISTS layers)
    string(LENGTH "${layer}/" length)
    string(SUBSTRING "${path}" 0 ${length} head)
    # The first match counts: host/services comes before host in the order, and the rooms of
    # fields/ before fields.
    if(found STREQUAL "" AND head STREQUAL "${layer}/")
      set(found "${layer}")
    endif()
  endforeach()
  set(${out} "${found}" PARENT_SCOPE)
endfunction()

set(faults "")
file(GLOB_RECURSE sources RELATIVE "${PLUGIN_DIR}" "${PLUGIN_DIR}/*.h" "${PLUGIN_DIR}/*.cpp"
     "${PLUGIN_DIR}/*.ui")
set(checked 0)
foreach(rel IN LISTS sources)
  layer_of("${rel}" own)
  if(own STREQUAL "")
    continue()
  endif()
  list(FIND layers "${own}" own_rank)
  math(EXPR checked "${checked} + 1")
  file(STRINGS "${PLUGIN_DIR}/${rel}" lines REGEX "^[ \t]*#[ \t]*include[ \t]*\"|<header>")
  foreach(line IN LISTS lines)
    if(line MATCHES "#[ \t]*include[ \t]*\"([^\"]+)\"")
      set(header "${CMAKE_MATCH_1}")
    elseif(line MATCHES "<header>([^<]+)</header>")
      set(header "${CMAKE_MATCH_1}")
    else()
      continue()
    endif()
    layer_of("${header}" used)
    if(used STREQUAL "")
      # Not the plug-in's: a form's generated header, or one of the SDK's.
      if(header MATCHES "^maxscript/" AND NOT rel STREQUAL script_seam)
        list(APPEND faults "${rel}: ${line} (a script header outside ${script_seam})")
      elseif(NOT header MATCHES "^ui_[^/]+\\.h$" AND NOT rel STREQUAL seam
             AND NOT rel STREQUAL script_seam)
        list(APPEND faults "${rel}: ${line} (an SDK header outside ${seam})")
      endif()
      continue()
    endif()
    list(FIND layers "${used}" used_rank)
    list(FIND pictures_includes "${used}" allowed)
    if(used_rank GREATER own_rank)
      list(APPEND faults "${rel}: ${line} (${used}/ is above ${own}/)")
    elseif(own STREQUAL "fields/pictures" AND NOT used STREQUAL own AND allowed EQUAL -1)
      list(APPEND faults "${rel}: ${line} (${own}/ includes only ${pictures_includes}/)")
    endif()
    if(header STREQUAL script_seam AND NOT rel STREQUAL script_unit)
      list(APPEND faults "${rel}: ${line} (only ${script_unit} sees the script headers)")
    endif()
    list(FIND no_seam "${own}" seamless)
    if(header STREQUAL seam AND seamless GREATER -1)
      list(APPEND faults "${rel}: ${line} (${own}/ reaches the host through HostAccess.h)")
    elseif(header STREQUAL seam AND own STREQUAL "host/services" AND rel MATCHES "\\.h$"
           AND NOT rel STREQUAL script_seam)
      list(APPEND faults "${rel}: ${line} (the views include this header)")
    endif()
  endforeach()
endforeach()
if(faults)
  list(JOIN faults "\n  " text)
  message(FATAL_ERROR "the plug-in's folders include across their layers:\n  ${text}")
endif()
if(checked EQUAL 0)
  message(FATAL_ERROR "no plug-in files found under ${PLUGIN_DIR}")
endif()
string(REPLACE ";" " < " order "${layers}")
message(STATUS "${checked} plug-in files include only their own layer and those below: ${order}")
