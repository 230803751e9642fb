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

include(${CMAKE_CURRENT_LIST_DIR}/ArchiveSymbols.cmake)

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
