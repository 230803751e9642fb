# cmake -DNM=<nm> -DLOWER=<archive> -DUPPER=<archive> -P CheckLibraryBelow.cmake
#
# Fails when the lower static library references a symbol the upper one
# defines: the lower library must link on its own, below the upper one.
# Weak definitions (inline functions, template instances) are shared by
# both and do not count; neither does what the lower library defines itself.
foreach(var NM LOWER UPPER)
  if(NOT ${var})
    message(FATAL_ERROR "${var} is not set")
  endif()
endforeach()

# The symbol names of the lines of `nm <flags> <archive>` whose type letter
# matches `types`.
function(archive_symbols out archive flags types)
  execute_process(COMMAND ${NM} ${flags} ${archive}
                  OUTPUT_VARIABLE text RESULT_VARIABLE rc ERROR_VARIABLE err)
  if(NOT rc EQUAL 0)
    message(FATAL_ERROR "${NM} ${flags} ${archive} failed: ${err}")
  endif()
  string(REPLACE ";" "\\;" text "${text}")
  string(REPLACE "\n" ";" lines "${text}")
  set(names "")
  foreach(line IN LISTS lines)
    if(line MATCHES "^[0-9a-fA-F ]* (${types}) (.+)$")
      list(APPEND names "${CMAKE_MATCH_2}")
    endif()
  endforeach()
  list(REMOVE_DUPLICATES names)
  set(${out} "${names}" PARENT_SCOPE)
endfunction()

set(strong "[TDBRGS]")
archive_symbols(needed ${LOWER} "-u" "U")
archive_symbols(ownDefs ${LOWER} "--defined-only" "[A-Za-z]")
archive_symbols(upperDefs ${UPPER} "--defined-only" "${strong}")

set(crossing "")
foreach(name IN LISTS needed)
  list(FIND ownDefs "${name}" own)
  if(own GREATER -1)
    continue()
  endif()
  list(FIND upperDefs "${name}" up)
  if(up GREATER -1)
    list(APPEND crossing "${name}")
  endif()
endforeach()

if(crossing)
  list(LENGTH crossing count)
  string(REPLACE ";" "\n  " shown "${crossing}")
  get_filename_component(lowerName ${LOWER} NAME)
  get_filename_component(upperName ${UPPER} NAME)
  message(FATAL_ERROR "${lowerName} references ${count} symbol(s) defined in ${upperName}:\n  ${shown}")
endif()
