# A target sees only the folders it links. Headers are included by their
# folder ("store/TemplateStore.h"), so each top folder gets an include root of
# its own under the build tree that holds that folder alone; a target puts its
# folder's root on its interface, and whoever links it gets that folder and
# no other.
function(tarvel_folder_root target)
  file(RELATIVE_PATH relative "${PROJECT_SOURCE_DIR}" "${CMAKE_CURRENT_SOURCE_DIR}")
  string(REGEX REPLACE "/.*" "" folder "${relative}")
  set(root "${CMAKE_BINARY_DIR}/include/${folder}")
  if(NOT EXISTS "${root}/${folder}")
    file(MAKE_DIRECTORY "${root}")
    file(CREATE_LINK "${PROJECT_SOURCE_DIR}/${folder}" "${root}/${folder}" SYMBOLIC)
  endif()
  get_target_property(type ${target} TYPE)
  if(type STREQUAL "INTERFACE_LIBRARY")
    target_include_directories(${target} INTERFACE "${root}")
  elseif(type MATCHES "LIBRARY$")
    target_include_directories(${target} PUBLIC "${root}")
  else()
    target_include_directories(${target} PRIVATE "${root}")
  endif()
endfunction()
