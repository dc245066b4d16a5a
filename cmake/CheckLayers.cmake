# Checks the program's layers (run as a test: cmake -DSRC=<project> -P CheckLayers.cmake).
#
#  1. The GUI-free libraries (every area folder outside its ui/ subfolder)
#     neither include a page or dialog header (".../ui/...") nor name the
#     main window: the window sits above them and hands them what they need.
#     The program's top level (app/main.cpp) is where the window is made.
#  2. Reply text is read only in the parser module (modem/protocol): no other
#     file of the program mentions a reply prefix such as "+CMGL:".

set(areas app modem sms phonebook connection settings mainwindow widgets)
set(failures "")

foreach(area ${areas})
  file(GLOB_RECURSE files RELATIVE ${SRC} ${SRC}/${area}/*.cpp ${SRC}/${area}/*.h)
  foreach(file ${files})
    file(READ ${SRC}/${file} text)
    string(REGEX MATCH "/ui/" in_ui "${file}")
    if(NOT in_ui AND NOT file STREQUAL "app/main.cpp" AND NOT area STREQUAL "widgets")
      string(REGEX MATCH "#include \"[^\"]*/ui/[^\"]*\"" ui_include "${text}")
      if(ui_include)
        list(APPEND failures "${file}: includes a page or dialog (${ui_include})")
      endif()
      # The class, not a log text that quotes its name.
      string(REGEX REPLACE "\"([^\"\\\\]|\\\\.)*\"" "\"\"" code "${text}")
      string(REGEX MATCH "WTMainWindow" window "${code}")
      if(window)
        list(APPEND failures "${file}: names the main window")
      endif()
    endif()
    string(REGEX MATCH "^modem/protocol/" in_parsers "${file}")
    if(NOT in_parsers)
      string(REGEX MATCH "\\+[A-Z][A-Z0-9]+:" prefix "${text}")
      if(prefix)
        list(APPEND failures "${file}: mentions the reply prefix ${prefix} outside modem/protocol")
      endif()
    endif()
  endforeach()
endforeach()

if(failures)
  list(JOIN failures "\n  " report)
  message(FATAL_ERROR "Layering broken:\n  ${report}")
endif()
message(STATUS "Layers hold")
