# Build options shared by every target of the project.

option(HHM_BUILD_TESTS "Build the GoogleTest suites" ON)
option(HHM_SANITIZE "Build with AddressSanitizer and UndefinedBehaviorSanitizer" OFF)
option(HHM_FUZZ "Build the libFuzzer targets (clang, with AddressSanitizer and UndefinedBehaviorSanitizer)" OFF)
set(HHM_FUZZ_SECONDS 5 CACHE STRING "Seconds each fuzz target runs under ctest")
# A fixed seed makes the ctest runs repeatable: what a run finds, the same command finds again.
set(HHM_FUZZ_SEED 1 CACHE STRING "Seed of the fuzz targets' ctest runs (0: a new one each run)")

add_compile_options(-Wall -Wextra)

if(HHM_SANITIZE)
  add_compile_options(-fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined)
  add_link_options(-fsanitize=address,undefined)
endif()

if(HHM_FUZZ)
  if(NOT CMAKE_CXX_COMPILER_ID STREQUAL "Clang")
    message(FATAL_ERROR "HHM_FUZZ needs clang (scripts/build fuzz chooses it)")
  endif()
  # Everything is instrumented for coverage and checked by the sanitizers; only the fuzz
  # targets link libFuzzer's main (hhm_fuzz_target). -O1 keeps the runs fast and the asserts on.
  add_compile_options(-O1 -fsanitize=fuzzer-no-link,address,undefined -fno-omit-frame-pointer
                      -fno-sanitize-recover=undefined)
  add_link_options(-fsanitize=address,undefined)
  add_custom_target(fuzz_targets)
endif()

# Adds every subfolder of the calling folder that has a CMakeLists.txt.
function(hhm_add_subfolders)
  file(GLOB children LIST_DIRECTORIES true RELATIVE ${CMAKE_CURRENT_SOURCE_DIR} ${CMAKE_CURRENT_SOURCE_DIR}/*)
  list(SORT children)
  foreach(child ${children})
    if(IS_DIRECTORY ${CMAKE_CURRENT_SOURCE_DIR}/${child} AND EXISTS ${CMAKE_CURRENT_SOURCE_DIR}/${child}/CMakeLists.txt)
      add_subdirectory(${child})
    endif()
  endforeach()
endfunction()

# hhm_library(NAME [SHARED] LIBS ...): a library made of every .cpp in the calling folder, whose
# headers are included by their plain names.
function(hhm_library name)
  cmake_parse_arguments(ARG "SHARED" "" "LIBS;PRIVATE_LIBS" ${ARGN})
  file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
  if(ARG_SHARED)
    add_library(${name} SHARED ${sources})
  else()
    add_library(${name} STATIC ${sources})
  endif()
  target_include_directories(${name} PUBLIC ${CMAKE_CURRENT_SOURCE_DIR})
  target_link_libraries(${name} PUBLIC ${ARG_LIBS} PRIVATE ${ARG_PRIVATE_LIBS})
endfunction()

# hhm_test(NAME LIBS ...): one GoogleTest program made of every .cpp in the calling folder.
function(hhm_test name)
  cmake_parse_arguments(ARG "" "" "LIBS;ENV" ${ARGN})
  file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
  add_executable(${name} ${sources})
  target_link_libraries(${name} PRIVATE ${ARG_LIBS} GTest::gtest GTest::gtest_main GTest::gmock)
  # GUI tests run on Qt's offscreen platform however ctest is started.
  set(env QT_QPA_PLATFORM=offscreen ${ARG_ENV})
  gtest_discover_tests(${name} DISCOVERY_TIMEOUT 60 PROPERTIES ENVIRONMENT "${env}")
endfunction()

# hhm_fuzz_target(NAME SOURCES file... [LIBS lib...] [INCLUDES dir...] CORPUS dir): a libFuzzer
# target, built only in the fuzz configuration (HHM_FUZZ, `scripts/build fuzz`), where
# `fuzz_targets` builds them all and nothing else. Fuzz targets live in tests/fuzz, with their
# corpora in tests/fuzz/corpus/<name without "fuzz_">.
#
#   SOURCES  the harness: it defines LLVMFuzzerTestOneInput (and LLVMFuzzerInitialize if it
#            needs one) and checks more than "no crash": a property that fails calls
#            FUZZ_CHECK (tests/fuzz/FuzzCheck.h), which aborts so that libFuzzer keeps the input;
#   LIBS     what it links;
#   INCLUDES further header folders (for sources taken from a folder that is no library);
#   CORPUS   the folder of seed inputs, kept in the source tree. Reproducers of faults found
#            before go there too, so every run executes them first.
#
# It registers the ctest NAME, LABELS fuzz: the target runs every input of CORPUS, then fuzzes
# for HHM_FUZZ_SECONDS seconds. New inputs it finds are kept in build/.../fuzz/NAME/corpus,
# which the next run starts from; an input that fails is written to build/.../fuzz/NAME/ as
# crash-<hash> (run the target with that file as its argument to replay it).
function(hhm_fuzz_target name)
  if(NOT HHM_FUZZ)
    return()
  endif()
  cmake_parse_arguments(ARG "" "CORPUS" "SOURCES;LIBS;INCLUDES" ${ARGN})
  if(NOT ARG_SOURCES OR NOT ARG_CORPUS)
    message(FATAL_ERROR "hhm_fuzz_target(${name}) needs SOURCES and CORPUS")
  endif()
  get_filename_component(corpus ${ARG_CORPUS} ABSOLUTE)
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_LIBS})
  target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR}/tests/fuzz ${ARG_INCLUDES})
  target_link_options(${name} PRIVATE -fsanitize=fuzzer)
  add_dependencies(fuzz_targets ${name})
  set(work ${CMAKE_BINARY_DIR}/fuzz/${name})
  file(MAKE_DIRECTORY ${work}/corpus)
  add_test(NAME ${name}
           COMMAND ${name} -seed=${HHM_FUZZ_SEED} -max_total_time=${HHM_FUZZ_SECONDS} -timeout=20 -rss_limit_mb=4096
                   -print_final_stats=1 -artifact_prefix=${work}/ ${work}/corpus ${corpus}
           WORKING_DIRECTORY ${work})
  # Leaks are reported with the whole stack of their allocation (fast_unwind_on_malloc=0): the
  # fast unwinder stops at libraries built without frame pointers, and a leak inside libgsf
  # would then show only glib's frames and miss its suppression.
  set_tests_properties(${name} PROPERTIES LABELS fuzz TIMEOUT 300
                       ENVIRONMENT "QT_QPA_PLATFORM=offscreen;ASAN_OPTIONS=detect_leaks=1:abort_on_error=1:fast_unwind_on_malloc=0;UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1;LSAN_OPTIONS=suppressions=${PROJECT_SOURCE_DIR}/tests/fuzz/lsan-suppressions.txt")
endfunction()
