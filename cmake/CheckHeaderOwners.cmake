# cmake -DNM=<nm> -DLIBRARIES=<entries> -P CheckHeaderOwners.cmake
#
# Fails when a library's public header declares a function that another
# library defines: each header belongs to the library that defines what it
# declares. An entry of LIBRARIES is "<name>|<archive>|<header folder>"; an
# entry without a folder only defines (its headers live elsewhere).
#
# Declarations are found by a plain scan, enough for the headers' one style:
# comments and preprocessor lines dropped, `<type> name(` at file or
# namespace level, qualified by the enclosing namespaces, matched against the
# archives' demangled strong definitions. Inline functions and templates
# define nothing strong and are never counted against another library.
foreach(var NM LIBRARIES)
  if(NOT ${var})
    message(FATAL_ERROR "${var} is not set")
  endif()
endforeach()

include(${CMAKE_CURRENT_LIST_DIR}/ArchiveSymbols.cmake)

# Every strongly defined name of `archive`, demangled and without its
# parameter list ("ns::name" or "name").
function(archive_definitions out archive)
  archive_symbols(symbols ${archive} "-C;--defined-only" "[TDBRGS]")
  set(names "")
  foreach(symbol IN LISTS symbols)
    string(REGEX REPLACE "\\(.*" "" name "${symbol}")
    if(name)
      list(APPEND names "${name}")
    endif()
  endforeach()
  list(REMOVE_DUPLICATES names)
  set(${out} "${names}" PARENT_SCOPE)
endfunction()

# The qualified names of the functions `header` declares at file or
# namespace level.
function(header_declarations out header)
  file(READ ${header} text)
  # Comments go first: a brace or parenthesis inside one counts for nothing.
  string(REGEX REPLACE "/\\*([^*]|\\*+[^*/])*\\*+/" "" text "${text}")
  string(REGEX REPLACE "//[^\n]*" "" text "${text}")
  string(REPLACE ";" " " text "${text}")
  string(REPLACE "\n" ";" lines "${text}")
  set(names "")
  set(depth 0)
  set(scopes "")  # "<depth>:<namespace>" of every open namespace
  set(directive OFF)
  foreach(line IN LISTS lines)
    # Preprocessor lines, with their continuations, declare nothing here.
    if(directive OR line MATCHES "^[ \t]*#")
      set(directive OFF)
      if(line MATCHES "\\\\[ \t]*$")
        set(directive ON)
      endif()
      continue()
    endif()
    set(scope "")
    foreach(entry IN LISTS scopes)
      string(REGEX REPLACE "^[0-9]+:" "" ns "${entry}")
      string(APPEND scope "${ns}::")
    endforeach()
    list(LENGTH scopes open)
    if(depth EQUAL open AND NOT line MATCHES "^(typedef|using|return|static|inline|template)[ \t]"
       AND line MATCHES "^[A-Za-z_][A-Za-z0-9_:<>, ]*[ *&]+([A-Za-z_][A-Za-z0-9_]*)\\(")
      list(APPEND names "${scope}${CMAKE_MATCH_1}")
    endif()
    if(line MATCHES "^[ \t]*namespace[ \t]+([A-Za-z_][A-Za-z0-9_]*)[ \t]*{")
      list(APPEND scopes "${depth}:${CMAKE_MATCH_1}")
    endif()
    # Braces of enums, structs and inline bodies: below namespace level
    # nothing counts.
    string(REGEX REPLACE "[^{]" "" opened "${line}")
    string(REGEX REPLACE "[^}]" "" closed "${line}")
    string(LENGTH "${opened}" plus)
    string(LENGTH "${closed}" minus)
    math(EXPR depth "${depth} + ${plus} - ${minus}")
    # A namespace ends where the depth falls back to where it opened.
    while(scopes)
      list(GET scopes -1 last)
      string(REGEX REPLACE ":.*" "" at "${last}")
      if(depth GREATER at)
        break()
      endif()
      list(REMOVE_AT scopes -1)
    endwhile()
  endforeach()
  list(REMOVE_DUPLICATES names)
  set(${out} "${names}" PARENT_SCOPE)
endfunction()

set(entries "")
foreach(entry IN LISTS LIBRARIES)
  string(REPLACE "|" ";" parts "${entry}")
  list(LENGTH parts count)
  if(count LESS 2)
    message(FATAL_ERROR "LIBRARIES entry \"${entry}\" is not <name>|<archive>|<header folder>")
  endif()
  list(GET parts 0 lib)
  list(GET parts 1 archive)
  archive_definitions(defs ${archive})
  foreach(name IN LISTS defs)
    # Demangled names hold colons, which a literal variable reference
    # cannot: every lookup goes through a name held in a variable.
    set(key "definedBy:${name}")
    list(APPEND ${key} ${lib})
  endforeach()
  list(APPEND entries "${entry}")
endforeach()

set(faults "")
set(checked 0)
foreach(entry IN LISTS entries)
  string(REPLACE "|" ";" parts "${entry}")
  list(LENGTH parts count)
  if(count LESS 3)
    continue()
  endif()
  list(GET parts 0 lib)
  list(GET parts 2 folder)
  file(GLOB_RECURSE headers ${folder}/*.h)
  foreach(header IN LISTS headers)
    header_declarations(declared ${header})
    foreach(name IN LISTS declared)
      math(EXPR checked "${checked} + 1")
      set(key "definedBy:${name}")
      set(owners "${${key}}")
      if(NOT owners)
        continue()
      endif()
      list(FIND owners ${lib} own)
      if(own GREATER -1)
        continue()
      endif()
      string(REPLACE ";" ", " owners "${owners}")
      list(APPEND faults "${header} (${lib}) declares ${name}, defined in ${owners}")
    endforeach()
  endforeach()
endforeach()

if(checked EQUAL 0)
  message(FATAL_ERROR "no declarations found: the scan or the folders are wrong")
endif()
if(faults)
  list(LENGTH faults count)
  string(REPLACE ";" "\n  " shown "${faults}")
  message(FATAL_ERROR "${count} declaration(s) in a header of another library:\n  ${shown}")
endif()
message(STATUS "${checked} declarations, each in a header of the library that defines it")
