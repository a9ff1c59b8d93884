# pugixml, the XML parser of the snippet import: Debian's package natively;
# for Windows the static library that scripts/setup builds from Debian's
# pugixml source package into its cache, beside scilexer.dll.
if(TARVEL_WIN32)
  set(TARVEL_PUGIXML_DIR "$ENV{TARVEL_PUGIXML_DIR}" CACHE PATH "pugixml sources with out/libpugixml.a")
  if(NOT TARVEL_PUGIXML_DIR)
    set(TARVEL_PUGIXML_DIR /var/cache/tarvel/pugixml-1.13 CACHE PATH "" FORCE)
  endif()
  if(NOT EXISTS ${TARVEL_PUGIXML_DIR}/out/libpugixml.a)
    message(FATAL_ERROR "libpugixml.a not found in ${TARVEL_PUGIXML_DIR}/out; run scripts/setup first")
  endif()
  add_library(tarvel_pugixml STATIC IMPORTED)
  set_target_properties(tarvel_pugixml PROPERTIES
    IMPORTED_LOCATION ${TARVEL_PUGIXML_DIR}/out/libpugixml.a
    INTERFACE_INCLUDE_DIRECTORIES ${TARVEL_PUGIXML_DIR}/src)
else()
  find_package(pugixml REQUIRED)
  add_library(tarvel_pugixml INTERFACE)
  target_link_libraries(tarvel_pugixml INTERFACE pugixml::pugixml)
endif()
