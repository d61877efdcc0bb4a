# The WebAssembly build: the same window models, handlers and computations,
# compiled with Emscripten for the browser pages and for Node's script mode.
#   emcmake cmake -S . -B build-web -G Ninja && cmake --build build-web
# gives build-web/site/ (the static web site) and build-web/bin/PROGRAM.js
# (node build-web/bin/PROGRAM.js --script FILE).
#
# Included by the top-level CMakeLists.txt before anything is built: the
# tree then builds only its toolkit-free libraries (core and every
# <program>_window), and the web targets are added once the whole tree is
# read (web_targets, deferred to the end of the top-level directory).

set(CALC_QT OFF CACHE BOOL "Build the Qt programs; off, only the toolkit-free libraries" FORCE)
# The desktop's tests need GoogleTest installed for the host; the web build
# brings its own from the GoogleTest sources (below).
set(BUILD_TESTING OFF CACHE BOOL "Build the tests (GoogleTest, Qt Test, script cases)" FORCE)
enable_testing()

# Exceptions carry failures to the event boundary, as on the desktop: the
# WebAssembly instructions for them (every current browser and Node have
# them), which spare a trip through JavaScript around every call that may
# throw; -DCALC_WEB_EXCEPTIONS=js gives the slower emulation for old browsers.
set(CALC_WEB_EXCEPTIONS wasm CACHE STRING "Exceptions in the WebAssembly build: wasm or js")
if(CALC_WEB_EXCEPTIONS STREQUAL "js")
  set(web_eh -fexceptions)
else()
  set(web_eh -fwasm-exceptions)
endif()
add_compile_options(${web_eh})
add_link_options(${web_eh} -sALLOW_MEMORY_GROWTH=1)
if(NOT CMAKE_BUILD_TYPE)
  set(CMAKE_BUILD_TYPE Release)
endif()
# A page's module comes over a phone's network before its window can show:
# every module is built for size, across the whole tree at link time, a
# quarter smaller than for speed (thrustfit's 234 KB sent become 175 KB) and
# still quick enough for every handler. Size changes no digit: WebAssembly
# rounds every operation as written.
foreach(config RELEASE RELWITHDEBINFO)
  string(REGEX REPLACE "-O[23]" "-Os" CMAKE_CXX_FLAGS_${config} "${CMAKE_CXX_FLAGS_${config}}")
endforeach()
option(CALC_WEB_LTO "Optimise the WebAssembly build across the tree at link time" ON)
if(CALC_WEB_LTO)
  add_compile_options(-flto)
  add_link_options(-flto)
endif()
# Emscripten's JavaScript optimizer looks for its parser among Debian's Node
# modules.
set_property(GLOBAL PROPERTY RULE_LAUNCH_LINK "${CMAKE_COMMAND} -E env NODE_PATH=/usr/share/nodejs")

function(web_targets)
  set(web_dir ${PROJECT_SOURCE_DIR}/web)
  set(site ${CMAKE_BINARY_DIR}/site)
  # The Node entries and tests are no download: linked with a lighter
  # optimizer pass, half the link's time. Optimization moves no digit in
  # WebAssembly, and the browser tests check the pages' own.
  set(node_options -sENVIRONMENT=node -sNODERAWFS=1 -sWASM_ASYNC_COMPILATION=0 -sEXIT_RUNTIME=1 -O1)

  # Every window of the suite: the launcher and the programs of programs.txt.
  set(programs calculators ${CALC_PROGRAMS})
  set(CALC_calculators_FOLDER launcher)
  set(CALC_calculators_CLASS launcher::Calculators)
  set(names "")
  foreach(program ${programs})
    string(APPEND names "\"${program}\", ")
  endforeach()

  add_library(web_node_main OBJECT ${web_dir}/node_main.cpp)
  target_link_libraries(web_node_main PUBLIC core PRIVATE calc_flags)
  # The page's module: the bridge, and its own keeper of print files, which
  # stands in for the core's writer to the working folder (core/files.cpp;
  # an object file comes before the libraries, so that archive member is
  # never linked): no file system in the page.
  add_library(web_bridge OBJECT ${web_dir}/bridge.cpp ${web_dir}/page_files.cpp)
  target_link_libraries(web_bridge PUBLIC core PRIVATE calc_flags calc_json)
  # The window's own module, which a page starts on: the same bridge without
  # the sweeps, charts and report, a third smaller over the network.
  add_library(web_bridge_start OBJECT ${web_dir}/bridge.cpp ${web_dir}/page_files.cpp)
  target_link_libraries(web_bridge_start PUBLIC core PRIVATE calc_flags calc_json)
  target_compile_definitions(web_bridge_start PRIVATE CALC_WEB_WINDOW_ONLY)
  # The exports the page's view and panels call (web/bridge.cpp): those of
  # the table in web/bindings.mjs, read from it, for each module.
  foreach(table bindings startBindings)
    execute_process(COMMAND node --input-type=module -e
                            "import { ${table} } from '${web_dir}/bindings.mjs'; console.log(${table}.map((b) => \"'_\" + b[0] + \"'\").join())"
                    OUTPUT_VARIABLE ${table} OUTPUT_STRIP_TRAILING_WHITESPACE COMMAND_ERROR_IS_FATAL ANY)
  endforeach()
  set_property(DIRECTORY ${CMAKE_SOURCE_DIR} APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${web_dir}/bindings.mjs)
  set(exports "[${bindings},'_malloc','_free']")
  set(start_exports "[${startBindings},'_malloc','_free']")

  add_custom_target(web_site ALL)
  foreach(program ${programs})
    set(folder ${CALC_${program}_FOLDER})
    set(class ${CALC_${program}_CLASS})
    if(program STREQUAL "calculators")
      # In the browser every program of the suite has its page.
      set(make "std::make_unique<${class}>([](const std::string&) { return true; })")
    else()
      set(make "std::make_unique<${class}>()")
    endif()
    file(CONFIGURE OUTPUT ${CMAKE_BINARY_DIR}/windows/${program}.cpp CONTENT
"#include \"${folder}/${program}_window.h\"
#include \"web/window.h\"

namespace web {
std::unique_ptr<core::Form> MakeWindow() { return ${make}; }
const char* const kProgram = \"${program}\";
const std::vector<std::string> kPrograms = {${names}};
}  // namespace web
")
    add_library(web_${program} OBJECT ${CMAKE_BINARY_DIR}/windows/${program}.cpp)
    target_link_libraries(web_${program} PUBLIC ${program}_window PRIVATE calc_flags)

    # node build-web/bin/PROGRAM.js --script FILE
    add_executable(node_${program} $<TARGET_OBJECTS:web_node_main>)
    target_link_libraries(node_${program} PRIVATE web_${program})
    set_target_properties(node_${program} PROPERTIES OUTPUT_NAME ${program} LINKER_LANGUAGE CXX)
    target_link_options(node_${program} PRIVATE ${node_options} --extern-pre-js ${web_dir}/shebang.js)
    add_custom_command(TARGET node_${program} POST_BUILD
                       COMMAND chmod +x $<TARGET_FILE:node_${program}>)

    # site/PROGRAM.js and .wasm: the module a page loads.
    add_executable(page_${program} $<TARGET_OBJECTS:web_bridge>)
    target_link_libraries(page_${program} PRIVATE web_${program})
    set_target_properties(page_${program} PROPERTIES OUTPUT_NAME ${program} LINKER_LANGUAGE CXX
                          RUNTIME_OUTPUT_DIRECTORY ${site})
    target_link_options(page_${program} PRIVATE -sENVIRONMENT=web -sMODULARIZE=1
                        -sEXPORT_NAME=createWindow
                        "-sEXPORTED_FUNCTIONS=${exports}"
                        "-sEXPORTED_RUNTIME_METHODS=['ccall','cwrap','UTF8ToString']")
    # site/PROGRAM-start.js and .wasm: the window's own module, which the
    # page starts on; the whole module above takes the window over.
    add_executable(page_${program}_start $<TARGET_OBJECTS:web_bridge_start>)
    target_link_libraries(page_${program}_start PRIVATE web_${program})
    set_target_properties(page_${program}_start PROPERTIES OUTPUT_NAME ${program}-start LINKER_LANGUAGE CXX
                          RUNTIME_OUTPUT_DIRECTORY ${site})
    target_link_options(page_${program}_start PRIVATE -sENVIRONMENT=web -sMODULARIZE=1
                        -sEXPORT_NAME=createStartWindow
                        "-sEXPORTED_FUNCTIONS=${start_exports}"
                        "-sEXPORTED_RUNTIME_METHODS=['ccall','cwrap','UTF8ToString']")
    add_dependencies(web_site page_${program} page_${program}_start)

    # Every golden case through the Node entry, with the desktop's expected output.
    file(GLOB cases CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/${folder}/cases/${program}/*.script
                                      ${PROJECT_SOURCE_DIR}/${folder}/cases/*.script)
    foreach(script ${cases})
      get_filename_component(case ${script} NAME_WE)
      add_test(NAME web.${program}.case.${case}
               COMMAND ${CMAKE_COMMAND} -DPROGRAM=$<TARGET_FILE:node_${program}> -DSCRIPT=${script}
                       -DWORK=${CMAKE_BINARY_DIR}/cases/${program}/${case}
                       -P ${PROJECT_SOURCE_DIR}/cmake/RunCase.cmake)
    endforeach()
  endforeach()

  # The pages, their view, styles and fonts.
  include(${web_dir}/Site.cmake)

  # The core's unit tests (number texts, print lines, the model, the script
  # mode, the reading of a window) on the WebAssembly build, under Node.
  set(gtest_src /usr/src/googletest/googletest)
  if(EXISTS ${gtest_src}/src/gtest-all.cc)
    add_library(web_gtest STATIC ${gtest_src}/src/gtest-all.cc ${gtest_src}/src/gtest_main.cc)
    target_include_directories(web_gtest SYSTEM PUBLIC ${gtest_src}/include PRIVATE ${gtest_src})
    target_compile_definitions(web_gtest PUBLIC GTEST_HAS_PTHREAD=0)
    target_compile_options(web_gtest PRIVATE -w)
    add_executable(web_core_tests core/numtext_test.cpp core/printline_test.cpp
                                  core/form_test.cpp core/script_test.cpp
                                  core/reading_test.cpp core/actions_test.cpp
                                  core/plot_test.cpp)
    target_link_libraries(web_core_tests PRIVATE core web_gtest calc_flags)
    target_link_options(web_core_tests PRIVATE ${node_options})
    add_test(NAME web.core_tests COMMAND node $<TARGET_FILE:web_core_tests>)
  endif()

  # The number texts' fuzz targets over their committed corpora, once each.
  foreach(target numtext pattern)
    add_executable(web_fuzz_${target} ${web_dir}/corpus_main.cpp fuzz/${target}_target.cpp
                                      fuzz/reference_format.cpp)
    target_include_directories(web_fuzz_${target} PRIVATE ${PROJECT_SOURCE_DIR})
    target_link_libraries(web_fuzz_${target} PRIVATE core calc_flags)
    target_link_options(web_fuzz_${target} PRIVATE ${node_options})
    add_test(NAME web.fuzz.${target}
             COMMAND node $<TARGET_FILE:web_fuzz_${target}> ${PROJECT_SOURCE_DIR}/fuzz/corpus/${target})
  endforeach()
endfunction()
cmake_language(DEFER DIRECTORY ${CMAKE_SOURCE_DIR} CALL web_targets)
