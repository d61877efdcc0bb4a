# The help of each program: <folder>/<program>.help.md, with each line
# "@example cases/.../<case>.script" replaced by that case's steps and the
# results the program prints for it. The finished Markdown lands in <build>/help/<program>.md and is
# built into the program; the web build makes the same file for its help
# pages (web/Site.cmake) from the same help_inputs.
#
# A tool per program, <program>_help, links the program's own main with the
# help tool in place of the usual entry point: it makes the help and checks
# it against the very window the program shows (tests <program>.help and
# <program>.help.gui).
set(CALC_LICENCE "Free for teaching and learning. Provided as is, without warranty of any kind."
    CACHE STRING "The licence line of the About box")
# What every window's title points to ("See Disclaimer"): the About box of
# both views shows it.
set(CALC_DISCLAIMER "These calculators are made for teaching and learning compressible flow and gas turbines. Their results have not been checked for use in the design or operation of any real engine, machine or duct, and must not be relied on there. They come as they are, without warranty of any kind.")

# What a built help is made of: its help file and its example cases (script
# and expected output), where they exist, in out_var.
function(help_inputs source out_var)
  get_filename_component(dir ${source} DIRECTORY)
  file(GLOB present CONFIGURE_DEPENDS ${source})
  set(depends ${present})
  if(present)
    # A new example line must be seen by the build: configure again on edits.
    set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${source})
    file(STRINGS ${source} markers REGEX "^@example ")
    foreach(marker ${markers})
      string(REGEX REPLACE "^@example +" "" case "${marker}")
      string(STRIP "${case}" case)
      string(REGEX REPLACE "\\.script$" ".expected" expected "${case}")
      foreach(f ${case} ${expected})
        if(EXISTS ${dir}/${f})
          list(APPEND depends ${dir}/${f})
        endif()
      endforeach()
    endforeach()
  endif()
  set(${out_var} ${depends} PARENT_SCOPE)
endfunction()

function(calculator_help name main)
  set(source ${CMAKE_CURRENT_SOURCE_DIR}/${name}.help.md)
  set(built ${PROJECT_BINARY_DIR}/help/${name}.md)
  set(generated ${CMAKE_CURRENT_BINARY_DIR}/${name}_help.cpp)
  add_executable(${name}_help ${main} ${PROJECT_SOURCE_DIR}/tools/help_tool.cpp)
  target_link_libraries(${name}_help PRIVATE ${name}_window core qt_view Qt6::Test)

  help_inputs(${source} depends)
  list(APPEND depends ${name}_help)
  # Named as a target, the tool runs through the cross-compiling emulator
  # where there is one; under the sanitizers it must not fail on leaks.
  set(run ${name}_help)
  if(CALC_SANITIZE OR CALC_FUZZ)
    set(run ${CMAKE_COMMAND} -E env ASAN_OPTIONS=detect_leaks=0 $<TARGET_FILE:${name}_help>)
  endif()
  add_custom_command(OUTPUT ${built} ${generated}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${PROJECT_BINARY_DIR}/help
    COMMAND ${run} --build ${source} ${built} ${generated}
    DEPENDS ${depends}
    COMMENT "Help of ${name}")
  target_sources(${name} PRIVATE ${generated})

  add_test(NAME ${name}.help COMMAND ${name}_help --check ${source} ${built})
  add_test(NAME ${name}.help.gui COMMAND ${name}_help --gui ${built})
  set_tests_properties(${name}.help ${name}.help.gui PROPERTIES ENVIRONMENT
                       "${CALC_OFFSCREEN};ASAN_OPTIONS=detect_leaks=0")
endfunction()

