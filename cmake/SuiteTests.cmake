# Sweeps over every window of the suite (included once all programs exist).
add_executable(sweep_windows_test ${PROJECT_SOURCE_DIR}/core/sweep_windows_test.cpp)
foreach(program ${CALC_PROGRAMS})
  target_link_libraries(sweep_windows_test PRIVATE ${program}_window)
endforeach()
target_link_libraries(sweep_windows_test PRIVATE core_testing GTest::gtest_main calc_flags)
target_compile_definitions(sweep_windows_test PRIVATE CALC_SOURCE_DIR="${PROJECT_SOURCE_DIR}")
gtest_discover_tests(sweep_windows_test DISCOVERY_TIMEOUT 60)

# The plot window with the windows it is tried on.
add_executable(plot_window_gui_test ${PROJECT_SOURCE_DIR}/qt/plot_window_gui_test.cpp)
target_link_libraries(plot_window_gui_test PRIVATE qt_plot qt_view isentropic_window
                      thrustdeck_window thrustfit_window ringflow_window Qt6::Test calc_flags)
add_dependencies(plot_window_gui_test calc_plot)
add_test(NAME qt.plot.gui COMMAND plot_window_gui_test)
set_tests_properties(qt.plot.gui PROPERTIES ENVIRONMENT
                     "${CALC_OFFSCREEN};ASAN_OPTIONS=detect_leaks=0")

# Every program's name, folder and window, for the tests that go through
# them all (window_programs.inc).
set(calc_window_includes "")
set(calc_window_programs "")
foreach(program ${CALC_PROGRAMS})
  string(APPEND calc_window_includes "#include \"${CALC_${program}_FOLDER}/${program}_window.h\"\n")
  string(APPEND calc_window_programs
         "    {\"${program}\", \"${CALC_${program}_FOLDER}\", [] { return std::unique_ptr<core::Form>(new ${CALC_${program}_CLASS}); }},\n")
endforeach()
file(CONFIGURE OUTPUT ${CMAKE_CURRENT_BINARY_DIR}/generated/window_programs.inc
     CONTENT "// Made by cmake/SuiteTests.cmake from programs.txt.\n#include <functional>\n#include <memory>\n#include <vector>\n\n#include \"core/form.h\"\n${calc_window_includes}\nnamespace {\nstruct WindowProgram {\n  const char* name;\n  const char* folder;\n  std::function<std::unique_ptr<core::Form>()> make;\n};\nconst std::vector<WindowProgram> kWindowPrograms = {\n${calc_window_programs}};\n}  // namespace\n")
# The chart window of every program that has charts, from the one list of
# programs: each chart drawn from the window's defaults, and named in the
# program's help.
add_executable(chart_windows_gui_test ${PROJECT_SOURCE_DIR}/qt/chart_windows_gui_test.cpp)
target_include_directories(chart_windows_gui_test PRIVATE ${CMAKE_CURRENT_BINARY_DIR}/generated)
foreach(program ${CALC_PROGRAMS})
  target_link_libraries(chart_windows_gui_test PRIVATE ${program}_window)
  # The program's built help (build/help/<program>.md) comes with it.
  add_dependencies(chart_windows_gui_test ${program})
endforeach()
target_link_libraries(chart_windows_gui_test PRIVATE qt_plot qt_view Qt6::Test calc_flags)
target_compile_definitions(chart_windows_gui_test PRIVATE CALC_HELP_DIR="${PROJECT_BINARY_DIR}/help")
add_dependencies(chart_windows_gui_test calc_plot)
foreach(program ${CALC_PROGRAMS})
  add_test(NAME ${program}.charts.gui COMMAND chart_windows_gui_test everyChart:${program})
  add_test(NAME ${program}.charts.si.gui COMMAND chart_windows_gui_test "everyChart:${program} si")
  set_tests_properties(${program}.charts.gui ${program}.charts.si.gui PROPERTIES ENVIRONMENT
                       "${CALC_OFFSCREEN};ASAN_OPTIONS=detect_leaks=0")
endforeach()

# A core test over every program's window (window_programs.inc).
function(suite_window_test name source)
  add_executable(${name} ${PROJECT_SOURCE_DIR}/core/${source})
  target_include_directories(${name} PRIVATE ${CMAKE_CURRENT_BINARY_DIR}/generated)
  foreach(program ${CALC_PROGRAMS})
    target_link_libraries(${name} PRIVATE ${program}_window)
  endforeach()
  target_link_libraries(${name} PRIVATE core_testing GTest::gtest_main calc_flags)
  target_compile_definitions(${name} PRIVATE CALC_SOURCE_DIR="${PROJECT_SOURCE_DIR}")
  gtest_discover_tests(${name} DISCOVERY_TIMEOUT 60 ${ARGN})
endfunction()

# One caption for each box: the error line, the sweep offers and the help's
# tables name every shown box of every program alike.
suite_window_test(captions_test captions_test.cpp)

# The units of every program's help, in both systems (named help.units.*,
# so that the help tests run together).
suite_window_test(help_units_test help_units_test.cpp TEST_PREFIX help.units.)

# A case saved after each golden script opens as the very same window, in
# every program, and fits in an address.
suite_window_test(case_windows_test case_windows_test.cpp)

# What both views show to start with, over every window: the first sweep
# offered, and every chart's texts where the core places them.
suite_window_test(window_defaults_test window_defaults_test.cpp)

# Every window on a 1366 x 768 screen in its largest state, and the keyboard
# in every window.
calc_offscreen(small_screen 1366 768)
add_executable(suite_windows_gui_test ${PROJECT_SOURCE_DIR}/qt/suite_windows_gui_test.cpp)
target_include_directories(suite_windows_gui_test PRIVATE ${CMAKE_CURRENT_BINARY_DIR}/generated)
foreach(program ${CALC_PROGRAMS})
  target_link_libraries(suite_windows_gui_test PRIVATE ${program}_window)
endforeach()
target_link_libraries(suite_windows_gui_test PRIVATE calculators_window qt_plot qt_view Qt6::Test calc_flags)
add_dependencies(suite_windows_gui_test calc_plot)
foreach(program ${CALC_PROGRAMS} calculators)
  foreach(check screen:fitTheScreen lists:enterInAListComputes)
    string(REPLACE ":" ";" parts ${check})
    list(GET parts 0 test)
    list(GET parts 1 function)
    add_test(NAME ${program}.${test}.gui COMMAND suite_windows_gui_test ${function}:${program})
    set_tests_properties(${program}.${test}.gui PROPERTIES ENVIRONMENT
                         "${small_screen};ASAN_OPTIONS=detect_leaks=0")
  endforeach()
endforeach()
add_test(NAME qt.sweepkeys.gui COMMAND suite_windows_gui_test sweepAndChartKeys)
set_tests_properties(qt.sweepkeys.gui PROPERTIES ENVIRONMENT "${small_screen};ASAN_OPTIONS=detect_leaks=0")

# The printed report of a window: every shown caption and value, in US and SI.
suite_window_test(print_report_test print_report_test.cpp)

# "Print…": the report of three windows as PDF, read back with poppler-utils.
add_executable(print_action_gui_test ${PROJECT_SOURCE_DIR}/qt/print_action_gui_test.cpp)
target_link_libraries(print_action_gui_test PRIVATE qt_plot qt_view isentropic_window
                      thrustdeck_window thrustfit_window Qt6::Test calc_flags)
target_compile_definitions(print_action_gui_test PRIVATE CALC_SOURCE_DIR="${PROJECT_SOURCE_DIR}")
add_test(NAME qt.print.gui COMMAND print_action_gui_test)
set_tests_properties(qt.print.gui PROPERTIES ENVIRONMENT "${CALC_OFFSCREEN};ASAN_OPTIONS=detect_leaks=0")
