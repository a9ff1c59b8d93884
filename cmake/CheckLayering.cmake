# Run with cmake -P: fails when a folder includes from a layer above it.
# The layout arithmetic is the bottom layer and needs no <windows.h>; the
# handle owners, the store and the tooltip renderer include nothing of the
# widget kit; the snippet interop builds on the store alone; the pages see
# the editor only through their own interface.
set(rules
  "layout:handles/|store/|tooltip/|widgets/|editor/|pages/|prompt/|app/|windows\\.h|windowsx\\.h|commctrl\\.h|win[a-z]*\\.h"
  "handles:widgets/|editor/|pages/|app/"
  "store:interop/|widgets/|editor/|pages/|app/"
  "interop:widgets/|editor/|pages/|app/|prompt/"
  "tooltip:widgets/|editor/|pages/|app/"
  "pages:editor/|app/"
)
set(violations "")
foreach(rule ${rules})
  string(REPLACE ":" ";" parts "${rule}")
  list(GET parts 0 folder)
  list(GET parts 1 forbidden)
  file(GLOB_RECURSE sources "${SOURCE_DIR}/${folder}/*.h" "${SOURCE_DIR}/${folder}/*.cpp")
  foreach(source ${sources})
    file(STRINGS "${source}" includes REGEX "^#include [\"<](${forbidden})")
    foreach(line ${includes})
      file(RELATIVE_PATH name "${SOURCE_DIR}" "${source}")
      string(APPEND violations "\n  ${name}: ${line}")
    endforeach()
  endforeach()
endforeach()
if(violations)
  message(FATAL_ERROR "includes against the layering:${violations}")
endif()
