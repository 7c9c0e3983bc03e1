# Native build: the core's tests and benchmarks, or its fuzz targets.
option(RINBAN_SANITIZE "Build with AddressSanitizer and UBSan" OFF)
option(RINBAN_FUZZ "Build the libFuzzer targets instead (clang)" OFF)

if(RINBAN_SANITIZE)
  target_compile_options(rinban_core PUBLIC -fsanitize=address,undefined -fno-omit-frame-pointer
    -fno-sanitize-recover=all)
  target_link_options(rinban_core PUBLIC -fsanitize=address,undefined)
endif()

if(RINBAN_FUZZ)
  # scripts/fuzz.sh builds and runs these
  set(FUZZ_FLAGS -fsanitize=address,undefined -fno-sanitize-recover=all)
  target_compile_options(rinban_core PUBLIC -fsanitize=fuzzer-no-link ${FUZZ_FLAGS})
  file(GLOB FUZZERS CONFIGURE_DEPENDS fuzz/*_fuzz.cpp)
  foreach(src ${FUZZERS})
    get_filename_component(name ${src} NAME_WE)
    add_executable(${name} ${src})
    target_link_libraries(${name} PRIVATE rinban_core)
    target_link_options(${name} PRIVATE -fsanitize=fuzzer ${FUZZ_FLAGS})
  endforeach()
  return()
endif()

find_package(GTest REQUIRED)
include(GoogleTest)
file(GLOB NATIVE_TESTS CONFIGURE_DEPENDS tests/native/*_test.cpp)
add_executable(core_tests ${NATIVE_TESTS})
target_link_libraries(core_tests PRIVATE rinban_core GTest::gtest_main)
target_compile_options(core_tests PRIVATE ${RINBAN_WARNINGS})
# The fuzz corpora and the sample list, as lists users already have.
target_compile_definitions(core_tests PRIVATE RINBAN_SOURCE_DIR="${CMAKE_SOURCE_DIR}")
gtest_discover_tests(core_tests WORKING_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR} DISCOVERY_TIMEOUT 60)

if(RINBAN_BENCH)
  find_package(benchmark REQUIRED)
  file(GLOB BENCHES CONFIGURE_DEPENDS bench/*.cpp)
  foreach(src ${BENCHES})
    get_filename_component(name ${src} NAME_WE)
    add_executable(${name} ${src})
    target_link_libraries(${name} PRIVATE rinban_core benchmark::benchmark)
  endforeach()
endif()

# Misreadings of real names' lists by the list rule, its former version and
# uchardet, which only this tool links; skips without the packages.
find_package(PkgConfig QUIET)
if(PKG_CONFIG_FOUND)
  pkg_check_modules(UCHARDET QUIET uchardet)
endif()
if(UCHARDET_FOUND)
  add_executable(list_encoding_names tools/names/list_encoding_names.cpp tools/names/baseline_rule.cpp)
  target_link_libraries(list_encoding_names PRIVATE rinban_core ${UCHARDET_LINK_LIBRARIES})
  target_include_directories(list_encoding_names PRIVATE ${UCHARDET_INCLUDE_DIRS})
  target_compile_options(list_encoding_names PRIVATE ${RINBAN_WARNINGS})
  add_test(NAME ListEncoding.RealNames COMMAND list_encoding_names $<$<BOOL:${RINBAN_SANITIZE}>:--fewer>)
else()
  add_test(NAME ListEncoding.RealNames COMMAND sh -c "echo 'skipped: no uchardet (libuchardet-dev)'; exit 77")
endif()
set_tests_properties(ListEncoding.RealNames PROPERTIES SKIP_RETURN_CODE 77)

# Titles of real words through the settings file; skips without mecab-ipadic.
# A measurement of half a million titles: not repeated under the sanitizers,
# where the fuzz target and the unit tests cover the same code.
add_executable(settings_encoding_words tools/settings/settings_encoding_words.cpp)
target_link_libraries(settings_encoding_words PRIVATE rinban_core)
target_compile_options(settings_encoding_words PRIVATE ${RINBAN_WARNINGS})
if(NOT RINBAN_SANITIZE)
  add_test(NAME SettingsEncoding.RealWords COMMAND settings_encoding_words)
  set_tests_properties(SettingsEncoding.RealWords PROPERTIES SKIP_RETURN_CODE 77)
endif()
