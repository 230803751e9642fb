# Writes OUT: the table of message numbers and names, sorted by number, from
# the `#define NAME value` lines of the *.h files in HEADER_DIRS, joined by
# "|" (the toolkit's and every application library's public headers). Window
# messages are the MSG_ names, less the range markers (MSG_FIRST*, MSG_LAST*,
# MSG_DT_FIRST*, MSG_DT_LAST*) and the MSG_ERR_ answers; control messages are
# the names whose value lies in the control range 0xF000..0xFFFE, whatever
# their prefix, so a new control's messages are named without a list to keep
# (0xFFFF is the all-ones "any" of flag words, never a message). Controls
# share numbers, so one number may carry several names, joined by '/'.
cmake_minimum_required(VERSION 3.18)

string(REPLACE "|" ";" dirs "${HEADER_DIRS}")
set(headers "")
foreach(dir ${dirs})
  file(GLOB found ${dir}/*.h)
  list(APPEND headers ${found})
endforeach()
list(SORT headers)
set(entries "")
foreach(header ${headers})
  file(STRINGS ${header} lines REGEX "^#define [A-Z][A-Z0-9_]* +(0x[0-9A-Fa-f]+|[0-9]+)( |$)")
  foreach(line ${lines})
    string(REGEX MATCH "^#define ([A-Z][A-Z0-9_]*) +(0x[0-9A-Fa-f]+|[0-9]+)" _ "${line}")
    set(name ${CMAKE_MATCH_1})
    math(EXPR value "${CMAKE_MATCH_2}")
    if(name MATCHES "^MSG_")
      if(name MATCHES "^MSG_(DT_)?(FIRST|LAST)|^MSG_ERR_")
        continue()
      endif()
    elseif(value LESS 61440 OR value GREATER 65534)
      continue()
    endif()
    list(APPEND entries "${value}|${name}")
  endforeach()
endforeach()
list(SORT entries COMPARE NATURAL)

set(rows "")
set(count 0)
set(last "")
set(joined "")
foreach(entry ${entries} "end|")
  string(REPLACE "|" ";" parts "${entry}")
  list(GET parts 0 value)
  list(GET parts 1 name)
  if(NOT value STREQUAL last AND NOT last STREQUAL "")
    math(EXPR hex "${last}" OUTPUT_FORMAT HEXADECIMAL)
    string(APPEND rows "    {${hex}u, \"${joined}\"},\n")
    math(EXPR count "${count} + 1")
    set(joined "")
  endif()
  if(joined STREQUAL "")
    set(joined "${name}")
  else()
    set(joined "${joined}/${name}")
  endif()
  set(last ${value})
endforeach()

file(WRITE ${OUT}.tmp
"// Generated from the public headers by gen_message_names.cmake; do not edit.
#include \"core/message/message_names.h\"

const MessageNameEntry kMessageNames[] = {
${rows}};
const size_t kMessageNameCount = ${count};
")
# Unchanged tables keep their time stamp: nothing that links them rebuilds.
file(COPY_FILE ${OUT}.tmp ${OUT} ONLY_IF_DIFFERENT)
file(REMOVE ${OUT}.tmp)
