# cmake -DNM=<nm> -DLOWER=<archive> -DUPPER=<archives> -P CheckLibraryBelow.cmake
#
# Fails when the lower static library references a symbol one of the upper
# ones defines: the lower library must link without any of them.
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
# Names as variables make a set: one lookup per name, whatever the sizes.
foreach(name IN LISTS ownDefs)
  set("own:${name}" 1)
endforeach()
set(outside "")
foreach(name IN LISTS needed)
  set(key "own:${name}")
  if(NOT DEFINED ${key})
    list(APPEND outside "${name}")
  endif()
endforeach()

get_filename_component(lowerName ${LOWER} NAME)
set(faults "")
foreach(upper IN LISTS UPPER)
  archive_symbols(upperDefs ${upper} "--defined-only" "${strong}")
  foreach(name IN LISTS upperDefs)
    set("up:${upper}:${name}" 1)
  endforeach()
  set(crossing "")
  foreach(name IN LISTS outside)
    set(key "up:${upper}:${name}")
    if(DEFINED ${key})
      list(APPEND crossing "${name}")
    endif()
  endforeach()
  if(crossing)
    list(LENGTH crossing count)
    string(REPLACE ";" "\n  " shown "${crossing}")
    get_filename_component(upperName ${upper} NAME)
    list(APPEND faults "${lowerName} references ${count} symbol(s) defined in ${upperName}:\n  ${shown}")
  endif()
endforeach()

if(faults)
  string(REPLACE ";" "\n" shown "${faults}")
  message(FATAL_ERROR "${shown}")
endif()
