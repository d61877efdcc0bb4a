# calculator_program(NAME
#     SOURCES <window and computation sources>   (a library without widgets)
#     [LIBS <more libraries for it>]
#     [TESTS <*_test.cpp>]                        (GoogleTest, on that library)
#     [GUI_TESTS <*_gui_test.cpp>]                (Qt Test on the offscreen platform)
#     [CASES <folder>]                            (script files with expected output)
#     [PICTURES])                                 (the window shows SVG drawings)
# builds bin/NAME from main.cpp of the calling folder.
function(calculator_program name)
  cmake_parse_arguments(C "PICTURES" "CASES;MAIN" "SOURCES;LIBS;TESTS;GUI_TESTS" ${ARGN})
  if(NOT C_MAIN)
    set(C_MAIN main.cpp)
  endif()
  add_library(${name}_window STATIC ${C_SOURCES})
  target_link_libraries(${name}_window PUBLIC frame_core ${C_LIBS})
  add_executable(${name} ${C_MAIN})
  target_link_libraries(${name} PRIVATE ${name}_window frame_qt)
  if(C_PICTURES)
    target_link_libraries(${name} PRIVATE frame_svg)
  endif()
  install(TARGETS ${name} RUNTIME DESTINATION bin)
  calculator_help(${name} ${C_MAIN})
  if(C_TESTS)
    add_executable(${name}_tests ${C_TESTS})
    target_link_libraries(${name}_tests PRIVATE ${name}_window GTest::gtest_main)
    gtest_discover_tests(${name}_tests DISCOVERY_TIMEOUT 60)
  endif()
  foreach(gui ${C_GUI_TESTS})
    get_filename_component(stem ${gui} NAME_WE)
    add_executable(${stem} ${gui})
    target_link_libraries(${stem} PRIVATE ${name}_window frame_qt Qt6::Test)
    if(C_PICTURES)
      target_link_libraries(${stem} PRIVATE frame_svg)
    endif()
    add_test(NAME ${name}.gui COMMAND ${stem})
    # Qt and fontconfig keep caches for the life of the process.
    set_tests_properties(${name}.gui PROPERTIES ENVIRONMENT
                         "QT_QPA_PLATFORM=offscreen;ASAN_OPTIONS=detect_leaks=0")
  endforeach()
  if(C_CASES)
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
