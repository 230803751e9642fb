# Copies the text resources into the build tree without undoing what the
# program saved there. Run as
#   cmake -DSRC=<source folder> -DDST=<build folder> -DSTATE=<record file>
#         [-DSTAMP=<file>] [-DRESET=1] -P CopyResources.cmake
# A file is copied when its build copy is missing, or when its source changed
# since the last copy and the build copy did not. When both changed, the
# program's copy is kept and the build says so (RESET=1 copies everything
# afresh). STATE records, per file, the source and copy hashes of the last
# copy. STAMP is written when nothing is left to resolve, and removed when a
# kept copy waits for a decision, so the next build looks again.

set(records "")
if(EXISTS "${STATE}" AND NOT RESET)
  file(STRINGS "${STATE}" records)
endif()

# Last copy of `rel`: source hash into ${out_src}, copy hash into ${out_copy};
# both empty when never recorded.
function(last_copy rel out_src out_copy)
  set(src "")
  set(copy "")
  foreach(line IN LISTS records)
    string(REPLACE "|" ";" fields "${line}")
    list(GET fields 0 name)
    if(name STREQUAL rel)
      list(GET fields 1 src)
      list(GET fields 2 copy)
    endif()
  endforeach()
  set(${out_src} "${src}" PARENT_SCOPE)
  set(${out_copy} "${copy}" PARENT_SCOPE)
endfunction()

file(GLOB_RECURSE files LIST_DIRECTORIES false RELATIVE "${SRC}" "${SRC}/*")
list(SORT files)
set(new_records "")
set(conflicts 0)
foreach(rel IN LISTS files)
  set(from "${SRC}/${rel}")
  set(to "${DST}/${rel}")
  file(SHA256 "${from}" src_hash)
  last_copy("${rel}" old_src old_copy)
  if(RESET OR NOT EXISTS "${to}")
    set(action copy)
  elseif(old_src STREQUAL "")
    # A build tree from before these records: the copy came from this
    # source, so a difference is the program's doing.
    set(action keep)
  elseif(old_src STREQUAL src_hash)
    set(action keep)
  else()
    file(SHA256 "${to}" copy_hash)
    if(copy_hash STREQUAL old_copy)
      set(action copy)
    else()
      set(action conflict)
    endif()
  endif()

  if(action STREQUAL copy)
    get_filename_component(dir "${to}" DIRECTORY)
    file(MAKE_DIRECTORY "${dir}")
    file(COPY_FILE "${from}" "${to}")
    list(APPEND new_records "${rel}|${src_hash}|${src_hash}")
  elseif(action STREQUAL keep)
    if(old_src STREQUAL "")
      file(SHA256 "${to}" old_copy)
      set(old_src "${src_hash}")
    endif()
    list(APPEND new_records "${rel}|${old_src}|${old_copy}")
  else()
    message(WARNING "Kept ${to}: the program changed it and ${from} changed too since it was "
                    "copied. Merge by hand, or run 'make reset-config' to start over from the sources.")
    list(APPEND new_records "${rel}|${old_src}|${old_copy}")
    math(EXPR conflicts "${conflicts} + 1")
  endif()
endforeach()

string(REPLACE ";" "\n" text "${new_records}")
file(WRITE "${STATE}.new" "${text}\n")
file(RENAME "${STATE}.new" "${STATE}")
if(STAMP)
  if(conflicts EQUAL 0)
    file(TOUCH "${STAMP}")
  else()
    file(REMOVE "${STAMP}")
  endif()
endif()
