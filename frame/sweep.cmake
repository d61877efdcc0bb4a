# Sweeps over every window of the suite (included once all programs exist).
add_executable(sweep_windows_test ${CMAKE_CURRENT_LIST_DIR}/sweep_windows_test.cpp)
foreach(program ${CALC_PROGRAMS})
  target_link_libraries(sweep_windows_test PRIVATE ${program}_window)
endforeach()
target_link_libraries(sweep_windows_test PRIVATE GTest::gtest_main calc_flags)
target_compile_definitions(sweep_windows_test PRIVATE CALC_SOURCE_DIR="${PROJECT_SOURCE_DIR}")
gtest_discover_tests(sweep_windows_test DISCOVERY_TIMEOUT 60)

# The plot window with the windows it is tried on.
add_executable(plot_window_gui_test ${CMAKE_CURRENT_LIST_DIR}/plot_window_gui_test.cpp)
target_link_libraries(plot_window_gui_test PRIVATE frame_plot frame_qt isentropic_window
                      thrustdeck_window thrustfit_window ringflow_window Qt6::Test calc_flags)
add_dependencies(plot_window_gui_test calc_plot)
add_test(NAME frame.plot.gui COMMAND plot_window_gui_test)
set_tests_properties(frame.plot.gui PROPERTIES ENVIRONMENT
                     "QT_QPA_PLATFORM=offscreen;ASAN_OPTIONS=detect_leaks=0")
