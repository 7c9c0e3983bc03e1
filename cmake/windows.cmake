# Windows build: the program, its in-process tests and the end-to-end driver,
# all linked statically and run by CTest through Wine.
enable_language(RC)
set(WIN_LIBS comctl32 comdlg32 gdi32 user32 kernel32 uxtheme)
target_compile_definitions(rinban_core PUBLIC UNICODE _UNICODE WIN32_LEAN_AND_MEAN NOMINMAX
  _WIN32_WINNT=0x0601 WINVER=0x0601)

file(GLOB WINDOW_SOURCES CONFIGURE_DEPENDS src/rinban_main.cpp src/window/*.cpp)
add_library(rinban_window STATIC ${WINDOW_SOURCES})
target_link_libraries(rinban_window PUBLIC rinban_core ${WIN_LIBS})
target_compile_options(rinban_window PRIVATE ${RINBAN_WARNINGS})

set(RINBAN_RC ${CMAKE_SOURCE_DIR}/src/res/rinban2.rc)
# The include scan sees no ICON or manifest file: a new icon must relink too.
set_source_files_properties(${RINBAN_RC} PROPERTIES OBJECT_DEPENDS
  "${CMAKE_SOURCE_DIR}/src/res/rinban2.ico;${CMAKE_SOURCE_DIR}/src/res/rinban2.manifest")
add_executable(rinban2 WIN32 src/rinban2.cpp ${RINBAN_RC})
target_link_libraries(rinban2 PRIVATE rinban_window)
# No link time in the PE header, so one commit always gives the same exe.
target_link_options(rinban2 PRIVATE -municode -Wl,--no-insert-timestamp)
if(CMAKE_SIZEOF_VOID_P EQUAL 4)
  # The whole 4 GiB of address space on 64-bit Windows, not 2: big lists need it.
  target_link_options(rinban2 PRIVATE -Wl,--large-address-aware)
endif()
# Wine copies the reply to a message from another process onto the
# receiving thread's stack: a reader of the memo's text (WM_GETTEXT, two
# bytes a character) needs twice the listing's size there, or the program
# faults. A reserve is address space only; pages are committed as used.
# 64-bit: 1 GiB, as much as a listing the window can hold in practice; 32-bit,
# where every thread takes the same reserve out of 4 GiB: 64 MiB.
if(CMAKE_SIZEOF_VOID_P EQUAL 4)
  set(RINBAN_STACK_RESERVE 0x4000000)
else()
  set(RINBAN_STACK_RESERVE 0x40000000)
endif()
target_link_options(rinban2 PRIVATE -Wl,--stack,${RINBAN_STACK_RESERVE})

# Timing driver for scripts/measure.sh: built, never run as a test. It drives
# the exe through the end-to-end harness, which needs no GoogleTest.
file(GLOB PERF_SOURCES CONFIGURE_DEPENDS tools/perf/*.cpp)
if(PERF_SOURCES)
  # With the program's manifest, so its EDIT probe gets the same controls.
  add_executable(perf_driver ${PERF_SOURCES} tests/e2e/harness.cpp ${RINBAN_RC})
  target_link_libraries(perf_driver PRIVATE rinban_core ${WIN_LIBS} psapi usp10)
  target_compile_options(perf_driver PRIVATE ${RINBAN_WARNINGS})
  target_link_options(perf_driver PRIVATE -municode)
  add_dependencies(perf_driver rinban2)
endif()

# The release: one folder named after the package, zipped by CPack, with a
# SHA-256 file beside the zip. The guide is installed with the home page of
# this build in place of the default one it is written with.
if(CMAKE_SIZEOF_VOID_P EQUAL 4)
  set(RINBAN_PLATFORM win32)
else()
  set(RINBAN_PLATFORM win64)
endif()
# Removes the text from first to last, both included, with last's line end.
function(rinban_cut var first last)
  string(FIND "${${var}}" "${first}" from)
  string(FIND "${${var}}" "${last}" to)
  if(from EQUAL -1 OR to LESS from)
    message(FATAL_ERROR "docs/ja/index.html lacks ${first} ... ${last}")
  endif()
  string(LENGTH "${last}" length)
  math(EXPR to "${to} + ${length} + 1")
  string(SUBSTRING "${${var}}" 0 ${from} head)
  string(SUBSTRING "${${var}}" ${to} -1 tail)
  set(${var} "${head}${tail}" PARENT_SCOPE)
endfunction()
set(RINBAN_GUIDE_DIR ${CMAKE_SOURCE_DIR}/docs/ja)
file(READ ${RINBAN_GUIDE_DIR}/index.html RINBAN_GUIDE_TEXT)
# The default home page is a placeholder: a guide built with it names no
# address and sends the user to whoever gave them the zip.
if(RINBAN_HOME_PAGE STREQUAL RINBAN_DEFAULT_HOME_PAGE)
  rinban_cut(RINBAN_GUIDE_TEXT "<!--with-home-page" "with-home-page-->")
else()
  rinban_cut(RINBAN_GUIDE_TEXT "<!--without-home-page-->" "<!--/without-home-page-->")
  string(REPLACE "<!--with-home-page\n" "" RINBAN_GUIDE_TEXT "${RINBAN_GUIDE_TEXT}")
  string(REPLACE "with-home-page-->\n" "" RINBAN_GUIDE_TEXT "${RINBAN_GUIDE_TEXT}")
  string(REPLACE "${RINBAN_DEFAULT_HOME_PAGE}" "${RINBAN_HOME_PAGE}" RINBAN_GUIDE_TEXT "${RINBAN_GUIDE_TEXT}")
endif()
file(CONFIGURE OUTPUT ${CMAKE_BINARY_DIR}/guide/index.html CONTENT "${RINBAN_GUIDE_TEXT}" @ONLY)
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${RINBAN_GUIDE_DIR}/index.html)
# .txt with Windows line ends, so a double-click shows it right in any Notepad.
file(READ ${CMAKE_SOURCE_DIR}/LICENSE RINBAN_LICENSE_TEXT)
file(CONFIGURE OUTPUT ${CMAKE_BINARY_DIR}/LICENSE.txt CONTENT "${RINBAN_LICENSE_TEXT}" @ONLY NEWLINE_STYLE CRLF)
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/LICENSE)

install(TARGETS rinban2 RUNTIME DESTINATION .)
install(FILES examples/list.txt DESTINATION .)
install(FILES ${CMAKE_BINARY_DIR}/LICENSE.txt DESTINATION .)
install(FILES ${CMAKE_BINARY_DIR}/guide/index.html DESTINATION guide)
install(DIRECTORY ${RINBAN_GUIDE_DIR}/images DESTINATION guide)

# The same zip from the same commit anywhere: file times come from the last
# commit, the entries' order, modes and owners are fixed after cpack has
# written it, and no build path reaches the binaries.
set(CMAKE_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE
  GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
set(CPACK_GENERATOR ZIP)
set(CPACK_PACKAGE_NAME rinban2)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(RINBAN_PACKAGE_NAME rinban2-${PROJECT_VERSION}-${RINBAN_PLATFORM})
set(CPACK_PACKAGE_FILE_NAME ${RINBAN_PACKAGE_NAME})
set(CPACK_PACKAGE_CHECKSUM SHA256)
set(CPACK_PACKAGE_DIRECTORY ${CMAKE_BINARY_DIR}/package)
configure_file(cmake/package-time.cmake.in ${CMAKE_BINARY_DIR}/package-time.cmake @ONLY)
configure_file(cmake/package-normalize.cmake.in ${CMAKE_BINARY_DIR}/package-normalize.cmake @ONLY)
set(CPACK_PROJECT_CONFIG_FILE ${CMAKE_BINARY_DIR}/package-time.cmake)
include(CPack)

# GoogleTest from Debian's sources, built by the cross compiler. Without them
# (a build on Windows) only the program and the timing driver are built.
set(RINBAN_GTEST_SOURCE /usr/src/googletest CACHE PATH "GoogleTest sources")
if(NOT EXISTS ${RINBAN_GTEST_SOURCE}/CMakeLists.txt)
  message(STATUS "No GoogleTest sources at ${RINBAN_GTEST_SOURCE}: tests not built")
  return()
endif()
set(gtest_force_shared_crt OFF CACHE BOOL "" FORCE)
set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
add_subdirectory(${RINBAN_GTEST_SOURCE} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
include(GoogleTest)

file(GLOB WIN_TESTS CONFIGURE_DEPENDS tests/win/*_test.cpp)
add_executable(win_tests ${WIN_TESTS} ${RINBAN_RC})
target_link_libraries(win_tests PRIVATE rinban_window gtest_main)
target_compile_options(win_tests PRIVATE ${RINBAN_WARNINGS})
gtest_add_tests(TARGET win_tests SOURCES ${WIN_TESTS} WORKING_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR})

# The layout once more on denser screens, and with a taller face standing in
# for the window's font. Wine reads both from the registry when a process
# starts; each cleanup puts the value back even after a failure.
set(LAYOUT_TESTS FormTest.EveryControlSitsWhereTheLayoutPutsIt:FormTest.EveryCaptionFitsItsControl:FormTest.AfterMovesBetweenDensitiesTheWindowIsAFreshStartAtEach)
function(rinban_layout_run name set reset environment)
  add_test(NAME ${name}.Set COMMAND ${set})
  add_test(NAME ${name}.Reset COMMAND ${reset})
  add_test(NAME ${name}.FormLayout COMMAND win_tests --gtest_filter=${LAYOUT_TESTS}
    WORKING_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR})
  set_tests_properties(${name}.Set PROPERTIES FIXTURES_SETUP ${name} RUN_SERIAL TRUE)
  set_tests_properties(${name}.Reset PROPERTIES FIXTURES_CLEANUP ${name} RUN_SERIAL TRUE)
  set_tests_properties(${name}.FormLayout PROPERTIES FIXTURES_REQUIRED ${name} RUN_SERIAL TRUE
    ENVIRONMENT ${environment})
endfunction()
set(DPI_KEY "HKCU\\Control Panel\\Desktop")
foreach(dpi 120 144 192)
  rinban_layout_run(Dpi${dpi} "wine;reg;add;${DPI_KEY};/v;LogPixels;/t;REG_DWORD;/d;${dpi};/f"
    "wine;reg;delete;${DPI_KEY};/v;LogPixels;/f" RINBAN_EXPECT_DPI=${dpi})
endforeach()
set(WINE_FONTS bash -c "source ${CMAKE_SOURCE_DIR}/scripts/wine-env.sh && wine_fonts_use \"$1\"" wine-fonts)
rinban_layout_run(TallFace "${WINE_FONTS};Noto Sans CJK JP" "${WINE_FONTS}" RINBAN_TALL_FACE=1)

# The real exe driven from outside, as a user would. The driver has its own
# main: "--demo DIR" runs one scripted session for scripts/run.sh.
file(GLOB E2E_SOURCES CONFIGURE_DEPENDS tests/e2e/*.cpp)
if(E2E_SOURCES)
  add_executable(e2e_driver ${E2E_SOURCES})
  target_link_libraries(e2e_driver PRIVATE rinban_core ${WIN_LIBS} version gtest)
  target_compile_options(e2e_driver PRIVATE ${RINBAN_WARNINGS})
  add_dependencies(e2e_driver rinban2)
  target_compile_definitions(e2e_driver PRIVATE
    RINBAN_EXE="$<TARGET_FILE_NAME:rinban2>"
    RINBAN_ARTIFACTS="e2e-artifacts"
    RINBAN_PACKAGE_NAME="${RINBAN_PACKAGE_NAME}")
  gtest_add_tests(TARGET e2e_driver SOURCES ${E2E_SOURCES}
    WORKING_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR} TEST_LIST E2E_TESTS)
  # One window on the screen at a time: screenshots and the clipboard are shared.
  set_tests_properties(${E2E_TESTS} PROPERTIES RUN_SERIAL TRUE)
  # The sample list beside the driver, for a run over the data users see first.
  if(EXISTS ${CMAKE_SOURCE_DIR}/examples/list.txt)
    configure_file(${CMAKE_SOURCE_DIR}/examples/list.txt
      ${CMAKE_CURRENT_BINARY_DIR}/e2e-sample-list.txt COPYONLY)
  endif()
  # A real full disk: a tiny file system mounted for the one test that fills it.
  add_test(NAME SmallDisk.Mount COMMAND bash ${CMAKE_SOURCE_DIR}/scripts/small-disk.sh mount
    ${CMAKE_CURRENT_BINARY_DIR}/small-disk)
  add_test(NAME SmallDisk.Unmount COMMAND bash ${CMAKE_SOURCE_DIR}/scripts/small-disk.sh unmount
    ${CMAKE_CURRENT_BINARY_DIR}/small-disk)
  set_tests_properties(SmallDisk.Mount PROPERTIES FIXTURES_SETUP SmallDisk)
  set_tests_properties(SmallDisk.Unmount PROPERTIES FIXTURES_CLEANUP SmallDisk)
  set_tests_properties(RobustnessE2E.AFullDiskGivesTheWriteErrorAndLosesNothing PROPERTIES
    FIXTURES_REQUIRED SmallDisk SKIP_REGULAR_EXPRESSION "\\[  SKIPPED \\]")
  # The same session once more in a code page 1252 locale, after the Japanese
  # one whose screenshots it compares with: texts and files must not change.
  add_test(NAME LocaleE2E.CodePage1252 COMMAND e2e_driver --gtest_filter=LocaleE2E.*
    WORKING_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR})
  set_tests_properties(LocaleE2E.CodePage1252 PROPERTIES ENVIRONMENT "LC_ALL=en_US.UTF-8"
    RUN_SERIAL TRUE DEPENDS LocaleE2E.SameTextsAndBytesInAnyCodePage)
  list(APPEND E2E_TESTS LocaleE2E.CodePage1252)
  # table.html as the program writes it, opened from disk by headless Chromium
  # and Firefox with a Japanese and an English interface.
  add_test(NAME BrowserE2E.TheCrossTableReadsRightInEveryBrowser
    COMMAND /usr/bin/python3 ${CMAKE_SOURCE_DIR}/tests/e2e/browsers.py ${CMAKE_CURRENT_BINARY_DIR})
  set_tests_properties(BrowserE2E.TheCrossTableReadsRightInEveryBrowser PROPERTIES
    RUN_SERIAL TRUE TIMEOUT 120)
  list(APPEND E2E_TESTS BrowserE2E.TheCrossTableReadsRightInEveryBrowser)
  # The settings file once more in each code page a Japanese user's Windows
  # may have besides 932: English, Chinese, and 65001 (the UTF-8 option),
  # with locales the machine may lack built for LOCPATH.
  set(LOCALES ${CMAKE_CURRENT_BINARY_DIR}/locales)
  add_test(NAME SettingsE2E.Locales COMMAND bash ${CMAKE_SOURCE_DIR}/scripts/locales.sh ${LOCALES}
    zh_CN hi_IN ja_JP)
  set_tests_properties(SettingsE2E.Locales PROPERTIES FIXTURES_SETUP Locales)
  foreach(page 1252 936 65001)
    add_test(NAME SettingsE2E.CodePage${page} COMMAND e2e_driver --gtest_filter=SettingsE2E.*
      WORKING_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR})
    set_tests_properties(SettingsE2E.CodePage${page} PROPERTIES RUN_SERIAL TRUE FIXTURES_REQUIRED Locales)
    list(APPEND E2E_TESTS SettingsE2E.CodePage${page})
  endforeach()
  set_tests_properties(SettingsE2E.CodePage1252 PROPERTIES ENVIRONMENT
    "RINBAN_EXPECT_ACP=1252;LC_ALL=en_US.UTF-8")
  set_tests_properties(SettingsE2E.CodePage936 PROPERTIES ENVIRONMENT
    "RINBAN_EXPECT_ACP=936;LOCPATH=${LOCALES};LC_ALL=zh_CN.UTF-8")
  set_tests_properties(SettingsE2E.CodePage65001 PROPERTIES ENVIRONMENT
    "RINBAN_EXPECT_ACP=65001;LOCPATH=${LOCALES};LC_ALL=;LC_CTYPE=hi_IN.UTF-8;LC_MESSAGES=ja_JP.UTF-8")
  # The release zip, unpacked under a path with Japanese and a space, checked
  # and then run from there.
  set(PACKAGE_CHECK bash ${CMAKE_SOURCE_DIR}/tests/package/check.sh ${CMAKE_CURRENT_BINARY_DIR})
  add_test(NAME Package.Unpack COMMAND ${PACKAGE_CHECK} unpack)
  add_test(NAME Package.Contents COMMAND ${PACKAGE_CHECK} contents)
  set_tests_properties(Package.Unpack PROPERTIES FIXTURES_SETUP Package)
  set_tests_properties(Package.Contents PackageE2E.TheUnpackedProgramWorksWhereItWasUnpacked
    PROPERTIES FIXTURES_REQUIRED Package)
  # The screenshots the tests leave, as PNG for a person to look at.
  add_test(NAME e2e_screenshots_png
    COMMAND bash ${CMAKE_SOURCE_DIR}/scripts/screenshots.sh ${CMAKE_CURRENT_BINARY_DIR}/e2e-artifacts)
  set_tests_properties(e2e_screenshots_png PROPERTIES DEPENDS "${E2E_TESTS}")
endif()
