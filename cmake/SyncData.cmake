# cmake -DSRC=<project> -DDST=<bin dir> -P SyncData.cmake
cmake_minimum_required(VERSION 3.25)
set(USER_FILES
  sms.xml contact.xml totalRecord.conf defaultRecord.conf
  networksetconfigrc messagesetconfigrc alertsetconfigrc debug.log)

foreach(dir Data res)
  file(GLOB_RECURSE files RELATIVE ${SRC}/${dir} ${SRC}/${dir}/*)
  # The images' sources and their build script stay in the source tree.
  list(FILTER files EXCLUDE REGEX "^src/")
  foreach(rel ${files})
    set(from ${SRC}/${dir}/${rel})
    set(to ${DST}/${dir}/${rel})
    get_filename_component(leaf ${rel} NAME)
    get_filename_component(todir ${to} DIRECTORY)
    if(dir STREQUAL "Data" AND leaf IN_LIST USER_FILES)
      if(NOT EXISTS ${to})
        file(COPY ${from} DESTINATION ${todir})
      endif()
    elseif(NOT EXISTS ${to} OR ${from} IS_NEWER_THAN ${to})
      file(COPY ${from} DESTINATION ${todir})
    endif()
  endforeach()
endforeach()
