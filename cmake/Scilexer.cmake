# scilexer.dll and Scintilla's headers come from the set-up's cache
# (scripts/setup builds them from Debian's scite source package).
set(TARVEL_SCITE_DIR "$ENV{TARVEL_SCITE_DIR}" CACHE PATH "Unpacked scite sources with out/scilexer.dll")
if(NOT TARVEL_SCITE_DIR)
  set(TARVEL_SCITE_DIR /var/cache/tarvel/scite-5.3.3 CACHE PATH "" FORCE)
endif()
set(TARVEL_SCILEXER_DLL ${TARVEL_SCITE_DIR}/out/scilexer.dll)
if(NOT EXISTS ${TARVEL_SCILEXER_DLL})
  message(FATAL_ERROR "scilexer.dll not found in ${TARVEL_SCITE_DIR}; run scripts/setup first")
endif()

add_library(scintilla_headers INTERFACE)
target_include_directories(scintilla_headers SYSTEM INTERFACE
  ${TARVEL_SCITE_DIR}/scintilla/include ${TARVEL_SCITE_DIR}/lexilla/include)

# Every Win32 program and the DLL find scilexer.dll in their own folder.
set(CMAKE_RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bin)
set(CMAKE_LIBRARY_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bin)
file(MAKE_DIRECTORY ${CMAKE_BINARY_DIR}/bin)
configure_file(${TARVEL_SCILEXER_DLL} ${CMAKE_BINARY_DIR}/bin/scilexer.dll COPYONLY)
