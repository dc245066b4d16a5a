# cmake -DSRC=<project> -DOUT=<rules file> -P UdevRule.cmake
#
# Writes the udev rule that tells ModemManager to leave the data card alone:
# every product of Data/modem_types.xml under the maker's vendor identifier
# (MODEM_VENDOR_ID in modem/usbbus.h). Made at build time from those two files
# so that the rule always names the cards the program looks for.
cmake_minimum_required(VERSION 3.25)

file(READ ${SRC}/modem/usbbus.h header)
if(NOT header MATCHES "MODEM_VENDOR_ID = 0x([0-9a-fA-F][0-9a-fA-F][0-9a-fA-F][0-9a-fA-F])")
  message(FATAL_ERROR "MODEM_VENDOR_ID not found in modem/usbbus.h")
endif()
string(TOLOWER ${CMAKE_MATCH_1} vendor)

file(STRINGS ${SRC}/Data/modem_types.xml lines)
set(products "")
foreach(line ${lines})
  string(STRIP "${line}" id)
  if(id MATCHES "^[0-9a-fA-F][0-9a-fA-F][0-9a-fA-F][0-9a-fA-F]$")
    string(TOLOWER ${id} id)
    list(APPEND products ${id})
  endif()
endforeach()
list(REMOVE_DUPLICATES products)
if(NOT products)
  message(FATAL_ERROR "no product identifiers in Data/modem_types.xml")
endif()

set(text "# Velto Modem Connection talks to these data cards itself: ModemManager\n")
string(APPEND text "# must not open their ports. Generated from the program's list of cards.\n")
string(APPEND text "ACTION==\"remove\", GOTO=\"velto_modem_end\"\n")
string(APPEND text "SUBSYSTEMS!=\"usb\", GOTO=\"velto_modem_end\"\n\n")
foreach(id ${products})
  string(APPEND text
    "ATTRS{idVendor}==\"${vendor}\", ATTRS{idProduct}==\"${id}\", ENV{ID_MM_DEVICE_IGNORE}=\"1\"\n")
endforeach()
string(APPEND text "\nLABEL=\"velto_modem_end\"\n")
file(WRITE ${OUT}.tmp "${text}")
file(COPY_FILE ${OUT}.tmp ${OUT} ONLY_IF_DIFFERENT)
file(REMOVE ${OUT}.tmp)
