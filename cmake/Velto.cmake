# Helpers shared by every folder's CMakeLists.txt.
#
#   velto_library(NAME SOURCES <files> [LIBS <targets>])
#       A static library of one folder. Includes are written from the project
#       root ("modem/serialthread.h").
#   velto_add_test(NAME SOURCES <files> [LIBS <targets>] [TIMEOUT <s>] [LABELS <l>]
#                  [WRAPPER <command>])
#       A QtTest executable registered with CTest; it runs headless
#       (QT_QPA_PLATFORM=offscreen) from the folder that holds Data/ and res/,
#       under WRAPPER when given (such as dbus-run-session --).

function(velto_library name)
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
  add_library(${name} STATIC ${ARG_SOURCES})
  target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR})
  target_link_libraries(${name} PUBLIC ${ARG_LIBS})
endfunction()

function(velto_add_test name)
  cmake_parse_arguments(ARG "" "TIMEOUT" "SOURCES;LIBS;LABELS;WRAPPER" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE velto_testsupport Qt6::Test ${ARG_LIBS})
  add_dependencies(${name} velto_data)
  add_test(NAME ${name} COMMAND ${ARG_WRAPPER} $<TARGET_FILE:${name}>
           WORKING_DIRECTORY ${VELTO_BIN_DIR})
  if(NOT ARG_TIMEOUT)
    set(ARG_TIMEOUT 120)
  endif()
  set_tests_properties(${name} PROPERTIES
    TIMEOUT ${ARG_TIMEOUT}
    LABELS "${ARG_LABELS}"
    ENVIRONMENT "QT_QPA_PLATFORM=offscreen;ASAN_OPTIONS=detect_leaks=0;UBSAN_OPTIONS=print_stacktrace=1")
endfunction()

# Copies Data/ and res/ beside the executables at every build. Files the
# program itself changes while it runs (the user's messages, contacts,
# profiles and settings) are copied only when missing, so rebuilding never
# overwrites what a user stored in a build that runs in place.
function(velto_add_data_sync)
  add_custom_target(velto_data ALL
    COMMAND ${CMAKE_COMMAND}
            -DSRC=${PROJECT_SOURCE_DIR} -DDST=${VELTO_BIN_DIR}
            -P ${PROJECT_SOURCE_DIR}/cmake/SyncData.cmake
    COMMENT "Placing Data/ and res/ beside the executables"
    VERBATIM)
endfunction()

# velto_area(NAME [LIBS <targets>] [EXCLUDE <files>])
#   The GUI-free library of one area folder: every .cpp/.h directly in the
#   folder (pages and dialogs live in its ui/ subfolder and go into velto_ui),
#   but the EXCLUDE'd files, which a smaller library of the folder holds.
#   It does not link Qt Widgets, so a widget in logic code fails to build.
function(velto_area name)
  cmake_parse_arguments(ARG "" "" "LIBS;EXCLUDE" ${ARGN})
  file(GLOB sources CONFIGURE_DEPENDS
       ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp ${CMAKE_CURRENT_SOURCE_DIR}/*.h)
  foreach(excluded ${ARG_EXCLUDE})
    list(REMOVE_ITEM sources ${CMAKE_CURRENT_SOURCE_DIR}/${excluded})
  endforeach()
  if(sources)
    velto_library(velto_${name} SOURCES ${sources} LIBS ${ARG_LIBS})
  else()
    add_library(velto_${name} INTERFACE)
    target_link_libraries(velto_${name} INTERFACE ${ARG_LIBS})
  endif()
endfunction()

# velto_ui(LIBS <targets>)
#   Every page and dialog of the program: the ui/ subfolders of all areas.
function(velto_ui)
  cmake_parse_arguments(ARG "" "" "LIBS" ${ARGN})
  file(GLOB sources CONFIGURE_DEPENDS
       ${PROJECT_SOURCE_DIR}/*/ui/*.cpp ${PROJECT_SOURCE_DIR}/*/ui/*.h)
  if(sources)
    velto_library(velto_ui SOURCES ${sources} LIBS ${ARG_LIBS})
  else()
    add_library(velto_ui INTERFACE)
    target_link_libraries(velto_ui INTERFACE ${ARG_LIBS})
  endif()
endfunction()

# Adds every subfolder of the current folder that has a CMakeLists.txt.
function(velto_add_subfolders)
  file(GLOB dirs LIST_DIRECTORIES true ${CMAKE_CURRENT_SOURCE_DIR}/*)
  foreach(dir ${dirs})
    if(IS_DIRECTORY ${dir} AND EXISTS ${dir}/CMakeLists.txt)
      add_subdirectory(${dir})
    endif()
  endforeach()
endfunction()
