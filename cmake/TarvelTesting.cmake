# GoogleTest: Debian's package natively, built from /usr/src/googletest for Win32.
if(TARVEL_WIN32)
  set(gtest_force_shared_crt OFF CACHE BOOL "" FORCE)
  set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
  add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
  set(TARVEL_GTEST_MAIN gtest_main)
  set(TARVEL_GTEST gtest)
else()
  find_package(GTest REQUIRED)
  set(TARVEL_GTEST_MAIN GTest::gtest_main)
  set(TARVEL_GTEST GTest::gtest)
endif()

# Without a window manager Wine waits two seconds for every managed window
# that is hidden; the UI tests (label ui) run with unmanaged windows.
if(TARVEL_WIN32)
  add_test(NAME wine_unmanaged_windows
    COMMAND ${PROJECT_SOURCE_DIR}/scripts/wine-run reg add "HKCU\\Software\\Wine\\X11 Driver"
            /v Managed /d N /f)
  set_tests_properties(wine_unmanaged_windows PROPERTIES FIXTURES_SETUP wine_unmanaged)
endif()

# tarvel_add_test(NAME SOURCES... [LIBS libs...] [LABELS labels...])
# One GoogleTest program, registered with CTest; Win32 programs run under Wine.
function(tarvel_add_test name)
  cmake_parse_arguments(T "OWN_MAIN" "" "SOURCES;LIBS;LABELS" ${ARGN})
  add_executable(${name} ${T_SOURCES} ${T_UNPARSED_ARGUMENTS})
  if(T_OWN_MAIN)
    target_link_libraries(${name} PRIVATE ${T_LIBS} ${TARVEL_GTEST})
  else()
    target_link_libraries(${name} PRIVATE ${T_LIBS} ${TARVEL_GTEST_MAIN})
  endif()
  tarvel_folder_root(${name})
  add_test(NAME ${name} COMMAND ${name} --gtest_brief=1)
  if(T_LABELS)
    set_tests_properties(${name} PROPERTIES LABELS "${T_LABELS}")
  endif()
  if(TARVEL_WIN32 AND "ui" IN_LIST T_LABELS)
    set_tests_properties(${name} PROPERTIES FIXTURES_REQUIRED wine_unmanaged)
  endif()
  if(TARVEL_WIN32)
    target_link_options(${name} PRIVATE -mconsole)
  endif()
endfunction()

# tarvel_add_fuzzer(NAME SOURCES... LIBS libs... CORPUS dir)
# libFuzzer targets need native clang and the sanitized build; scripts/test runs
# each from build/native/fuzz with its seed corpus.
set(TARVEL_FUZZ OFF)
if(NOT TARVEL_WIN32 AND TARVEL_SANITIZE AND CMAKE_CXX_COMPILER_ID MATCHES "Clang")
  set(TARVEL_FUZZ ON)
endif()
function(tarvel_add_fuzzer name)
  if(NOT TARVEL_FUZZ)
    return()
  endif()
  cmake_parse_arguments(F "" "CORPUS" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${F_SOURCES} ${F_UNPARSED_ARGUMENTS})
  target_compile_options(${name} PRIVATE -fsanitize=fuzzer,address,undefined)
  target_link_options(${name} PRIVATE -fsanitize=fuzzer,address,undefined)
  target_link_libraries(${name} PRIVATE ${F_LIBS})
  tarvel_folder_root(${name})
  set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/fuzz)
  file(WRITE ${CMAKE_BINARY_DIR}/fuzz/${name}.corpus "${F_CORPUS}\n")
endfunction()

# The bundled sample templates as the test programs see them (Wine maps the
# Linux root to drive Z:).
if(TARVEL_WIN32)
  set(TARVEL_SAMPLES_DIR "Z:${PROJECT_SOURCE_DIR}/samples")
else()
  set(TARVEL_SAMPLES_DIR "${PROJECT_SOURCE_DIR}/samples")
endif()
