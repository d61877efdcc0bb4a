# calc_offscreen(VAR WIDTH HEIGHT): in VAR, the environment entry that puts
# a GUI test on Qt's offscreen platform with one screen of that size (the
# platform's own is 800 x 600, smaller than most windows of the suite, which
# fit themselves to the screen).
function(calc_offscreen var width height)
  set(file ${PROJECT_BINARY_DIR}/offscreen-${width}x${height}.json)
  file(CONFIGURE OUTPUT ${file} CONTENT "{\"screens\": [{\"name\": \"screen\", \"x\": 0, \"y\": 0, \"width\": ${width}, \"height\": ${height}, \"logicalDpi\": 96, \"logicalBaseDpi\": 96, \"dpr\": 1}]}\n")
  set(${var} "QT_QPA_PLATFORM=offscreen:configfile=${file}" PARENT_SCOPE)
endfunction()
# The screen of the GUI tests: a roomy desktop.
calc_offscreen(CALC_OFFSCREEN 1600 1000)

# calculator_library(NAME SOURCES <sources> [LIBS <libraries>] [TESTS <*_test.cpp>])
# A static library free of any toolkit (the computation of a program, or a
# part several programs share), with its GoogleTest tests.
function(calculator_library name)
  cmake_parse_arguments(L "" "" "SOURCES;LIBS;TESTS" ${ARGN})
  add_library(${name} STATIC ${L_SOURCES})
  set_target_properties(${name} PROPERTIES AUTOMOC OFF)
  target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR})
  target_link_libraries(${name} PUBLIC ${L_LIBS} PRIVATE calc_flags)
  if(L_TESTS)
    calculator_unit_tests(${name}_tests ${name} ${L_TESTS})
  endif()
endfunction()

# calculator_unit_tests(TARGET LIBRARY <*_test.cpp>): GoogleTest on a library.
function(calculator_unit_tests target library)
  if(NOT BUILD_TESTING)
    return()
  endif()
  add_executable(${target} ${ARGN})
  set_target_properties(${target} PROPERTIES AUTOMOC OFF)
  target_link_libraries(${target} PRIVATE ${library} core_testing GTest::gtest_main calc_flags)
  gtest_discover_tests(${target} DISCOVERY_TIMEOUT 60)
endfunction()

# calculator_gui_test(TARGET SOURCE [LIBS <libraries>] TESTS <test>[=<scale>]...)
# A Qt Test executable on the offscreen platform, run once per test name,
# at QT_SCALE_FACTOR <scale> where one is given.
function(calculator_gui_test target source)
  cmake_parse_arguments(G "" "" "LIBS;TESTS" ${ARGN})
  if(NOT (BUILD_TESTING AND CALC_QT))
    return()
  endif()
  add_executable(${target} ${source})
  target_link_libraries(${target} PRIVATE ${G_LIBS} qt_view Qt6::Test calc_flags)
  foreach(test ${G_TESTS})
    string(REPLACE "=" ";" parts ${test})
    list(GET parts 0 test_name)
    # Qt and fontconfig keep caches for the life of the process.
    set(env "${CALC_OFFSCREEN};ASAN_OPTIONS=detect_leaks=0")
    list(LENGTH parts n)
    if(n GREATER 1)
      list(GET parts 1 scale)
      list(APPEND env "QT_SCALE_FACTOR=${scale}")
    endif()
    add_test(NAME ${test_name} COMMAND ${target})
    set_tests_properties(${test_name} PROPERTIES ENVIRONMENT "${env}")
  endforeach()
endfunction()

# calculator_program(NAME
#     SOURCES <computation and window model>      (NAME_window: no toolkit)
#     [LIBS <more libraries for it>]
#     [MAIN <main.cpp>]                           (default main.cpp)
#     [TESTS <*_test.cpp>]                        (GoogleTest, on NAME_window)
#     [GUI_TESTS <*_gui_test.cpp>]                (Qt Test on the offscreen platform)
#     [CASES <folder>]                            (script files with expected output)
#     [INSTALL_DIR <dir>]                         (default: the programs' libexec folder)
#     [PICTURES])                                 (the window shows SVG drawings)
# builds bin/NAME. NAME must be listed in programs.txt (the launcher is the
# one exception).
function(calculator_program name)
  cmake_parse_arguments(C "PICTURES" "CASES;MAIN;INSTALL_DIR" "SOURCES;LIBS;TESTS;GUI_TESTS" ${ARGN})
  if(NOT name IN_LIST CALC_PROGRAMS AND NOT name STREQUAL "calculators")
    message(FATAL_ERROR "calculator_program(${name}): not listed in programs.txt")
  endif()
  if(NOT C_MAIN)
    set(C_MAIN main.cpp)
  endif()
  if(NOT C_INSTALL_DIR)
    set(C_INSTALL_DIR ${CALC_PROGRAM_INSTALL_DIR})
  endif()
  calculator_library(${name}_window SOURCES ${C_SOURCES} LIBS core ${C_LIBS} TESTS ${C_TESTS})
  if(NOT CALC_QT)
    return()
  endif()

  set(view qt_view)
  if(C_PICTURES)
    list(APPEND view qt_svg)
  endif()
  add_executable(${name} ${C_MAIN})
  target_link_libraries(${name} PRIVATE ${name}_window ${view} calc_flags)
  # Its name, which its saved cases carry.
  target_compile_definitions(${name} PRIVATE CALC_PROGRAM="${name}")
  install(TARGETS ${name} RUNTIME DESTINATION ${C_INSTALL_DIR})
  add_dependencies(programs ${name})
  calculator_help(${name} ${C_MAIN})

  foreach(gui ${C_GUI_TESTS})
    get_filename_component(stem ${gui} NAME_WE)
    # qt_plot: a GUI test may open the chart window on its window.
    calculator_gui_test(${stem} ${gui} LIBS ${name}_window ${view} qt_plot TESTS ${name}.gui)
  endforeach()
  if(C_CASES AND BUILD_TESTING)
    calculator_cases(${name} ${C_CASES})
  endif()
endfunction()

# One test per script file: NAME --script case.script in a fresh folder must
# print exactly case.expected (and end with the status in case.status, 0 if
# there is none); files in case.files/ must be written exactly so.
function(calculator_cases program folder)
  file(GLOB scripts CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/${folder}/*.script)
  foreach(script ${scripts})
    get_filename_component(case ${script} NAME_WE)
    add_test(NAME ${program}.case.${case}
             COMMAND ${CMAKE_COMMAND} -DPROGRAM=$<TARGET_FILE:${program}> -DSCRIPT=${script}
                     -DWORK=${CMAKE_CURRENT_BINARY_DIR}/cases/${case}
                     -P ${PROJECT_SOURCE_DIR}/cmake/RunCase.cmake)
  endforeach()
endfunction()
