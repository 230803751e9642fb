# Build helpers shared by every folder: one static library per subsystem
# folder, test executables per sub-folder, common warnings and sanitizers.

# Warnings are errors: a build that warns does not pass.
option(GUI_WARNINGS_AS_ERRORS "Stop the build at the first warning" ON)
set(GUI_WARNINGS -Wall -Wextra -Wno-unused-parameter -Wno-missing-field-initializers)
if(GUI_WARNINGS_AS_ERRORS)
  list(APPEND GUI_WARNINGS -Werror)
endif()

# Instrument every library for coverage so libFuzzer can steer into them;
# only the fuzz targets themselves link the fuzzer's main.
if(GUI_LIBFUZZER)
  add_compile_options(-fsanitize=fuzzer-no-link)
endif()

# lld links the many test programs several times faster than the system
# linker; without it the system linker does the same job.
include(CheckLinkerFlag)
check_linker_flag(CXX -fuse-ld=lld GUI_HAVE_LLD)
set(GUI_LINKER_OPTIONS "")
if(GUI_HAVE_LLD)
  set(GUI_LINKER_OPTIONS -fuse-ld=lld)
endif()
add_link_options(${GUI_LINKER_OPTIONS})

if(GUI_SANITIZE)
  add_compile_options(-fsanitize=${GUI_SANITIZE} -fno-omit-frame-pointer)
  add_link_options(-fsanitize=${GUI_SANITIZE})
  if(GUI_SANITIZE MATCHES "undefined")
    add_compile_options(-fno-sanitize-recover=undefined)
  endif()
endif()
# Every test run passes over the leaks inside system libraries listed there
# (none of the project's code); LeakSanitizer alone reads the variable.
set(GUI_TEST_LSAN_OPTIONS "LSAN_OPTIONS=set:suppressions=${PROJECT_SOURCE_DIR}/scripts/lsan.supp")

# gui_add_library(<target> <folder> <prefix>): every .cpp/.c below <folder>
# except the ones under tests/ form one static library. Its sources include
# its own headers as "<prefix>/...", from a folder that holds only that name
# (a link to <folder>) and that its users do not see; they see include/ and
# the public folders the library adds (PUBLIC), and those of what it links.
# So an include of another library's private header does not build.
function(gui_add_library target folder prefix)
  file(GLOB_RECURSE srcs CONFIGURE_DEPENDS
       ${folder}/*.cpp ${folder}/*.c)
  list(FILTER srcs EXCLUDE REGEX "/tests/")
  list(FILTER srcs EXCLUDE REGEX "/main\\.cpp$")
  if(NOT srcs)
    # A folder without sources: only what it links and includes.
    add_library(${target} INTERFACE)
    target_include_directories(${target} INTERFACE ${PROJECT_SOURCE_DIR}/include)
    target_link_libraries(${target} INTERFACE Threads::Threads)
    return()
  endif()
  add_library(${target} STATIC ${srcs})
  set(own ${CMAKE_CURRENT_BINARY_DIR}/${target}_own_headers)
  get_filename_component(link_parent ${own}/${prefix} DIRECTORY)
  file(MAKE_DIRECTORY ${link_parent})
  file(CREATE_LINK ${folder} ${own}/${prefix} SYMBOLIC)
  target_include_directories(${target} PUBLIC ${PROJECT_SOURCE_DIR}/include)
  target_include_directories(${target} PRIVATE ${own})
  target_compile_options(${target} PRIVATE ${GUI_WARNINGS})
  target_link_libraries(${target} PUBLIC Threads::Threads)
endfunction()

# gui_add_tests(<library> <folder>): each <folder>/**/tests directory becomes
# one GoogleTest executable; files named *_thread_test.cpp go into a second
# executable labelled "<library>_thread" (the ThreadSanitizer set). One label
# each: the discovered tests' property list cannot carry a list value.
function(gui_add_tests lib folder)
  if(NOT GUI_BUILD_TESTS)
    return()
  endif()
  file(GLOB_RECURSE all_tests CONFIGURE_DEPENDS ${folder}/*_test.cpp)
  # Only files in a tests/ folder: a product file such as hit_test.cpp is no test.
  list(FILTER all_tests INCLUDE REGEX "/tests/[^/]*$")
  set(dirs "")
  foreach(f ${all_tests})
    get_filename_component(d ${f} DIRECTORY)
    list(APPEND dirs ${d})
  endforeach()
  list(REMOVE_DUPLICATES dirs)
  foreach(d ${dirs})
    file(RELATIVE_PATH rel ${PROJECT_SOURCE_DIR} ${d})
    string(REPLACE "/tests" "" rel ${rel})
    string(REPLACE "/" "_" name ${rel})
    file(GLOB plain CONFIGURE_DEPENDS ${d}/*_test.cpp ${d}/*_helpers.cpp)
    file(GLOB threaded CONFIGURE_DEPENDS ${d}/*_thread_test.cpp)
    file(GLOB helpers CONFIGURE_DEPENDS ${d}/*_helpers.cpp)
    if(threaded)
      list(REMOVE_ITEM plain ${threaded})
    endif()
    # Helpers that both programs link are compiled once.
    if(helpers AND threaded AND NOT plain STREQUAL helpers)
      gui_add_test_support()
      add_library(test_${name}_helpers OBJECT ${helpers})
      gui_test_compile_setup(test_${name}_helpers ${lib})
      set_target_properties(test_${name}_helpers PROPERTIES POSITION_INDEPENDENT_CODE OFF)
      target_compile_options(test_${name}_helpers PRIVATE -fPIE)
      list(REMOVE_ITEM plain ${helpers})
      set(helpers $<TARGET_OBJECTS:test_${name}_helpers>)
      list(APPEND plain ${helpers})
    endif()
    if(plain)
      gui_test_executable(test_${name} ${lib} "${lib}" ${plain})
    endif()
    if(threaded)
      gui_test_executable(test_${name}_thread ${lib} "${lib}_thread" ${threaded} ${helpers})
      set_property(GLOBAL APPEND PROPERTY GUI_THREAD_TESTS test_${name}_thread)
    endif()
  endforeach()
endfunction()

# The tests' own code is built for compile speed (GUI_TEST_OPTIMIZE), while
# the libraries under test keep the build's optimisation and sanitizers.
# UBSan's checks nearly double the compile time of test code, so they cover
# the code under test only; AddressSanitizer covers both, since the tests
# lend their own buffers to the calls they check.
set(GUI_TEST_OPTIMIZE "-Og" CACHE STRING
    "Optimisation flags of the test programs' own sources")
separate_arguments(gui_test_optimize UNIX_COMMAND "${GUI_TEST_OPTIMIZE}")
set(GUI_TEST_FLAGS ${GUI_WARNINGS} ${gui_test_optimize})
if(GUI_SANITIZE MATCHES "undefined")
  list(APPEND GUI_TEST_FLAGS -fno-sanitize=undefined)
endif()

# Compiled once for every test program: the start-up object that moves to
# build/bin, and the precompiled GoogleTest headers that every test program
# reuses (most of a test file's compile time is spent in those headers).
function(gui_add_test_support)
  if(TARGET gui_test_support)
    return()
  endif()
  add_library(gui_test_support OBJECT ${PROJECT_SOURCE_DIR}/tests/test_program_setup.cpp)
  target_link_libraries(gui_test_support PRIVATE gui_all GTest::gtest GTest::gmock)
  target_compile_options(gui_test_support PRIVATE ${GUI_TEST_FLAGS})
  # The header must be built exactly as the test programs are: position
  # independent for an executable, not for a shared library.
  set_target_properties(gui_test_support PROPERTIES POSITION_INDEPENDENT_CODE OFF)
  target_compile_options(gui_test_support PRIVATE -fPIE)
  target_precompile_headers(gui_test_support PRIVATE <gtest/gtest.h> <gmock/gmock.h>)
endfunction()

# What every target compiling test code shares: includes, flags and the
# precompiled GoogleTest headers.
function(gui_test_compile_setup target lib)
  target_link_libraries(${target} PRIVATE gui_all ${lib} ${GUI_TEST_EXTRA_LIBS} GTest::gtest GTest::gmock)
  target_include_directories(${target} PRIVATE ${PROJECT_SOURCE_DIR}/tests)
  target_compile_options(${target} PRIVATE ${GUI_TEST_FLAGS})
  target_precompile_headers(${target} REUSE_FROM gui_test_support)
endfunction()

function(gui_test_executable exe lib labels)
  gui_add_test_support()
  add_executable(${exe} ${ARGN} $<TARGET_OBJECTS:gui_test_support>)
  gui_test_compile_setup(${exe} ${lib})
  target_link_libraries(${exe} PRIVATE GTest::gtest_main)
  add_dependencies(${exe} gui_resources)
  gtest_discover_tests(${exe}
    WORKING_DIRECTORY ${CMAKE_BINARY_DIR}/bin
    DISCOVERY_MODE PRE_TEST
    PROPERTIES LABELS "${labels}" TIMEOUT 300
               ENVIRONMENT "SDL_VIDEODRIVER=dummy"
               ENVIRONMENT_MODIFICATION "${GUI_TEST_LSAN_OPTIONS}")
endfunction()

# The application's library folders, bottom first: the one list the libraries,
# the program and the tests are made from.
set_property(GLOBAL PROPERTY GUI_APP_FOLDERS core pageframe playback camera record alarmnet system)

# gui_app_link_closure(<out> <target>): the application libraries <target>
# links, directly or through another.
function(gui_app_link_closure out target)
  set(found "")
  set(queue ${target})
  while(queue)
    list(POP_FRONT queue current)
    get_target_property(links ${current} LINK_LIBRARIES)
    if(NOT links)
      get_target_property(links ${current} INTERFACE_LINK_LIBRARIES)
    endif()
    foreach(link ${links})
      if(link MATCHES "^app_" AND NOT link IN_LIST found)
        list(APPEND found ${link})
        list(APPEND queue ${link})
      endif()
    endforeach()
  endwhile()
  set(${out} "${found}" PARENT_SCOPE)
endfunction()

# gui_add_source_check(<name> <second> <pass> <fail>): the test <name> runs
# scripts/check_<name>.py over the sources; <name>_<second> runs it over its
# sample tree scripts/tests/<name>, whose output must match <pass> (what it
# finds) and not <fail> (what it must pass over).
function(gui_add_source_check name second pass fail)
  set(script ${PROJECT_SOURCE_DIR}/scripts/check_${name}.py)
  add_test(NAME ${name} COMMAND Python3::Interpreter ${script} ${PROJECT_SOURCE_DIR})
  add_test(NAME ${name}_${second}
           COMMAND Python3::Interpreter ${script} ${PROJECT_SOURCE_DIR}/scripts/tests/${name})
  set_tests_properties(${name}_${second} PROPERTIES
    PASS_REGULAR_EXPRESSION "${pass}" FAIL_REGULAR_EXPRESSION "${fail}")
endfunction()

# gui_add_app_symbol_checks(<folders>): tests on the built archives' symbol
# tables that keep every library to its own headers and its own links. They
# check the code's layout, not its running: the default stage runs them, the
# sanitizer stages' label filters leave them out.
function(gui_add_app_symbol_checks)
  if(NOT GUI_BUILD_TESTS)
    return()
  endif()
  set(folders ${ARGN})
  # Each library's public headers declare only what that library defines;
  # the toolkit's libraries take part as definers.
  set(entries "")
  foreach(sub ${folders})
    list(APPEND entries "app_${sub}|$<TARGET_FILE:app_${sub}>|${PROJECT_SOURCE_DIR}/app/${sub}/include")
  endforeach()
  foreach(lib toolkit_core toolkit_gdi toolkit_controls)
    list(APPEND entries "${lib}|$<TARGET_FILE:${lib}>")
  endforeach()
  string(REPLACE ";" "$<SEMICOLON>" entries "${entries}")
  add_test(NAME app_headers_declare_their_own_library
           COMMAND ${CMAKE_COMMAND} -DNM=${CMAKE_NM} "-DLIBRARIES=${entries}"
                   -P ${PROJECT_SOURCE_DIR}/cmake/CheckHeaderOwners.cmake)
  set_tests_properties(app_headers_declare_their_own_library PROPERTIES LABELS layering)
  # Each library needs nothing from the libraries it does not link, so that
  # it links on its own and not only inside the whole program.
  foreach(sub ${folders})
    gui_app_link_closure(linked app_${sub})
    set(others "")
    foreach(other ${folders})
      if(NOT other STREQUAL sub AND NOT app_${other} IN_LIST linked)
        list(APPEND others "$<TARGET_FILE:app_${other}>")
      endif()
    endforeach()
    if(others)
      string(REPLACE ";" "$<SEMICOLON>" others "${others}")
      add_test(NAME app_${sub}_needs_only_what_it_links
               COMMAND ${CMAKE_COMMAND} -DNM=${CMAKE_NM} -DLOWER=$<TARGET_FILE:app_${sub}> "-DUPPER=${others}"
                       -P ${PROJECT_SOURCE_DIR}/cmake/CheckLibraryBelow.cmake)
      set_tests_properties(app_${sub}_needs_only_what_it_links PROPERTIES LABELS layering)
    endif()
  endforeach()
endfunction()

function(gui_add_app_tests)
  get_property(folders GLOBAL PROPERTY GUI_APP_FOLDERS)
  # A test program may open any page through the registry, so it links them
  # all and makes the registration calls itself.
  set(GUI_TEST_EXTRA_LIBS app_all)
  foreach(sub ${folders})
    gui_add_tests(app_${sub} ${PROJECT_SOURCE_DIR}/app/${sub})
  endforeach()
  gui_add_app_symbol_checks(${folders})
  # The core tests start the program itself and run the build's resource step.
  if(TARGET test_app_core)
    add_dependencies(test_app_core recorder_gui)
    target_compile_definitions(test_app_core PRIVATE GUI_SOURCE_DIR="${PROJECT_SOURCE_DIR}"
                               GUI_CMAKE_COMMAND="${CMAKE_COMMAND}")
  endif()
endfunction()

# The ThreadSanitizer build compiles only what the thread tests need.
function(gui_add_thread_tests_target)
  get_property(tests GLOBAL PROPERTY GUI_THREAD_TESTS)
  add_custom_target(thread_tests DEPENDS ${tests})
endfunction()
