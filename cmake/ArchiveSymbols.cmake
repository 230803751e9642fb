# archive_symbols(): the symbol table of a static library, for the scripts
# that check which library defines and uses what. NM must be set.

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
