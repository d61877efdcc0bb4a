# Sweeps over every window of the suite (included once all programs exist).
set(sweep_windows isentropic planejump fanno rayleigh isodrag isoheat flowmenu atmosphere shock
    nozzle flowmarch thrustdeck shaftdeck kerosene bladerow thrustfit shaftfit stagemap ringflow)
add_executable(sweep_windows_test ${CMAKE_CURRENT_LIST_DIR}/sweep_windows_test.cpp)
foreach(program ${sweep_windows})
  target_link_libraries(sweep_windows_test PRIVATE ${program}_window)
endforeach()
target_link_libraries(sweep_windows_test PRIVATE GTest::gtest_main)
target_compile_definitions(sweep_windows_test PRIVATE CALC_SOURCE_DIR="${PROJECT_SOURCE_DIR}")
gtest_discover_tests(sweep_windows_test DISCOVERY_TIMEOUT 60)
