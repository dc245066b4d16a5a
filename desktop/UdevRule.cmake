# cmake -DSRC=<project> -DOUT=<rules file> -P UdevRule.cmake
#
# Writes the udev rule for the maker's data cards: every product of
# Data/modem_types.xml under the maker's vendor identifier (MODEM_VENDOR_ID in
# modem/usbbus.h). ModemManager is told to leave the card alone, and the
# card's serial ports are given to the user of the seat (the "uaccess" tag,
# which systemd-logind applies in 73-seat-late.rules: the file must sort
# before it). Made at build time from those two files so that the rule
# always names the cards the program looks for.
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
string(APPEND text "# must not open their ports, and the user at the seat may use them without\n")
string(APPEND text "# root (elsewhere: membership of the group dialout). Generated from the\n")
string(APPEND text "# program's list of cards.\n")
string(APPEND text "ACTION==\"remove\", GOTO=\"velto_modem_end\"\n")
string(APPEND text "SUBSYSTEMS!=\"usb\", GOTO=\"velto_modem_end\"\n\n")
foreach(id ${products})
  string(APPEND text
    "ATTRS{idVendor}==\"${vendor}\", ATTRS{idProduct}==\"${id}\", ENV{ID_MM_DEVICE_IGNORE}=\"1\", ENV{VELTO_CARD}=\"1\"\n")
endforeach()
string(APPEND text "\nSUBSYSTEM==\"tty\", ENV{VELTO_CARD}==\"1\", TAG+=\"uaccess\"\n")
string(APPEND text "\nLABEL=\"velto_modem_end\"\n")
file(WRITE ${OUT}.tmp "${text}")
file(COPY_FILE ${OUT}.tmp ${OUT} ONLY_IF_DIFFERENT)
file(REMOVE ${OUT}.tmp)
