# Run with cmake -P: fails when a file includes a folder of its own layer or
# of a layer above it, or when a folder with sources belongs to no layer.
# From the bottom:
#   handles, layout, res, cmake   the handle owners, the layout arithmetic (no
#                                 <windows.h> either), the resource ids, and
#                                 scilexer.dll's entry point: nothing of ours
#   store                         the entry model
#   interop, tooltip              other editors' snippets on the store; the
#                                 markup renderer
#   widgets                       the window framework and widget kit, the
#                                 tooltip window among them
#   pages                         the editor's pages and the code views
#   prompt, editor                the two dialogs
#   app                           the exports and the module object; the
#                                 resource scripts (res/*.rc) sit here, as
#                                 they take the dialogs' texts
#   host, tools                   programs: the stand-in host, autotext-tpl
#   tests                         anything below
#   bench                         anything below, the tests' harness too
cmake_minimum_required(VERSION 3.21)

set(layers
  "handles layout res cmake"
  "store"
  "interop tooltip"
  "widgets"
  "pages"
  "prompt editor"
  "app"
  "host tools"
  "tests"
  "bench"
)
set(portable_bottom "layout")
set(windows_headers "windows\\.h|windowsx\\.h|commctrl\\.h|win[a-z]*\\.h")
set(resource_script_layer "app")

# The folders at or above each layer: what its files may not include.
set(above "")
list(LENGTH layers count)
math(EXPR last "${count} - 1")
foreach(position RANGE ${last} 0 -1)
  list(GET layers ${position} members)
  string(REPLACE " " ";" members "${members}")
  list(APPEND above ${members})
  foreach(folder ${members})
    set(forbidden_${folder} ${above})
    list(REMOVE_ITEM forbidden_${folder} ${folder})
    list(APPEND known ${folder})
  endforeach()
endforeach()

set(violations "")
function(check_file source folder)
  if(NOT forbidden_${folder})
    return()
  endif()
  list(JOIN forbidden_${folder} "|" forbidden)
  set(pattern "^#include [\"<](\\.\\./)*(${forbidden})/")
  if(folder IN_LIST portable_bottom)
    set(pattern "${pattern}|^#include [\"<](${windows_headers})")
  endif()
  file(STRINGS "${source}" includes REGEX "${pattern}")
  file(RELATIVE_PATH name "${SOURCE_DIR}" "${source}")
  foreach(line ${includes})
    string(APPEND violations "\n  ${name}: ${line}")
  endforeach()
  set(violations "${violations}" PARENT_SCOPE)
endfunction()

file(GLOB entries RELATIVE "${SOURCE_DIR}" "${SOURCE_DIR}/*")
foreach(folder ${entries})
  if(NOT IS_DIRECTORY "${SOURCE_DIR}/${folder}" OR folder STREQUAL "build" OR folder MATCHES "^\\.")
    continue()
  endif()
  file(GLOB_RECURSE sources "${SOURCE_DIR}/${folder}/*.h" "${SOURCE_DIR}/${folder}/*.cpp"
       "${SOURCE_DIR}/${folder}/*.rc")
  if(sources AND NOT folder IN_LIST known)
    string(APPEND violations "\n  ${folder}/: in no layer")
    continue()
  endif()
  foreach(source ${sources})
    if(folder STREQUAL "res" AND source MATCHES "\\.rc$")
      check_file("${source}" ${resource_script_layer})
    else()
      check_file("${source}" ${folder})
    endif()
  endforeach()
endforeach()
if(violations)
  message(FATAL_ERROR "includes against the layering:${violations}")
endif()
