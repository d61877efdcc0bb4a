# The WebAssembly build: the same window models, handlers and computations,
# compiled with Emscripten for the browser pages and for Node's script mode.
#   emcmake cmake -S . -B build-web -G Ninja && cmake --build build-web
# gives build-web/site/ (the static web site) and build-web/bin/PROGRAM.js
# (node build-web/bin/PROGRAM.js --script FILE).

# Every window of the suite: program | window class | its header | the
# toolkit-free sources of the window and its computation.
set(web_programs
  "calculators|launcher::Calculators|launcher/calculators.h|launcher/calculators.cpp"
  "flowmenu|flowmenu::FlowMenu|flowmenu/flowmenu.h|flowmenu/flowmenu.cpp"
  "isentropic|flowtables::Isentropic|flowtables/isentropic.h|flowtables/family.cpp flowtables/isentropic.cpp"
  "planejump|flowtables::PlaneJump|flowtables/planejump.h|flowtables/family.cpp flowtables/planejump.cpp"
  "fanno|flowtables::Fanno|flowtables/fanno.h|flowtables/family.cpp flowtables/fanno.cpp"
  "rayleigh|flowtables::Rayleigh|flowtables/rayleigh.h|flowtables/family.cpp flowtables/rayleigh.cpp"
  "isodrag|flowtables::IsoDrag|flowtables/isodrag.h|flowtables/family.cpp flowtables/isodrag.cpp"
  "isoheat|flowtables::IsoHeat|flowtables/isoheat.h|flowtables/family.cpp flowtables/isoheat.cpp"
  "atmosphere|atmosphere::Atmosphere|atmosphere/atmosphere.h|atmosphere/standard_atmosphere.cpp atmosphere/atmosphere.cpp"
  "shock|shock::Shock|shock/shock.h|shock/shock_flow.cpp shock/shock.cpp"
  "nozzle|nozzle::Nozzle|nozzle/nozzle.h|nozzle/nozzle_flow.cpp nozzle/nozzle.cpp"
  "flowmarch|flowmarch::FlowMarch|flowmarch/flowmarch.h|flowmarch/duct.cpp flowmarch/diagram.cpp flowmarch/flowmarch.cpp"
  "thrustdeck|thrustdeck::JetCycle|thrustdeck/jetcycle.h|thrustdeck/jetcycle.cpp thrustdeck/cycle.cpp atmosphere/standard_atmosphere.cpp"
  "shaftdeck|shaftdeck::Shaftdeck|shaftdeck/shaftdeck.h|shaftdeck/cycle.cpp shaftdeck/diagram.cpp shaftdeck/shaftdeck.cpp"
  "kerosene|kerosene::Kerosene|kerosene/kerosene.h|kerosene/flame.cpp kerosene/kerosene.cpp"
  "bladerow|bladerow::Bladerow|bladerow/bladerow.h|bladerow/meanline.cpp bladerow/bladerow.cpp"
  "thrustfit|thrustfit::Form1|thrustfit/thrustfit.h|thrustfit/thrustfit.cpp thrustfit/jet_matching.cpp thrustfit/jet_print.cpp thrustfit/component_maps.cpp thrustfit/map_tables.cpp"
  "shaftfit|shaftfit::Form1|shaftfit/shaftfit.h|shaftfit/shaftfit.cpp shaftfit/gt_matching.cpp shaftfit/gt_print.cpp thrustfit/component_maps.cpp thrustfit/map_tables.cpp"
  "stagemap|stagemap::StageMap|stagemap/stagemap.h|stagemap/cascade.cpp stagemap/stagemap.cpp"
  "ringflow|ringflow::Ringflow|ringflow/ringflow.h|ringflow/ringflow.cpp ringflow/diagram.cpp ringflow/streamline.cpp ringflow/printfile.cpp")

enable_testing()
set(web_dir ${PROJECT_SOURCE_DIR}/web)
set(site ${CMAKE_BINARY_DIR}/site)
set(CMAKE_RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bin)

# Exceptions carry failures to the event boundary, as on the desktop: the
# WebAssembly instructions for them (every current browser and Node have
# them), which spare a trip through JavaScript around every call that may
# throw; -DCALC_WEB_EXCEPTIONS=js gives the slower emulation for old browsers.
# Results must not depend on the compiler contracting a*b+c.
# (clang also reports constants no code uses; the desktop build is the gate.)
set(CALC_WEB_EXCEPTIONS wasm CACHE STRING "Exceptions in the WebAssembly build: wasm or js")
if(CALC_WEB_EXCEPTIONS STREQUAL "js")
  set(web_eh -fexceptions)
else()
  set(web_eh -fwasm-exceptions)
endif()
add_compile_options(${web_eh} -ffp-contract=off -Wall -Wextra -Wpedantic -Wno-unused-const-variable)
if(CALC_WERROR)
  add_compile_options(-Werror)
endif()
add_link_options(${web_eh} -sALLOW_MEMORY_GROWTH=1)
if(NOT CMAKE_BUILD_TYPE)
  set(CMAKE_BUILD_TYPE Release)
endif()
# Emscripten's JavaScript optimizer looks for its parser among Debian's Node
# modules.
set_property(GLOBAL PROPERTY RULE_LAUNCH_LINK "${CMAKE_COMMAND} -E env NODE_PATH=/usr/share/nodejs")

add_library(web_frame STATIC frame/numtext.cpp frame/printline.cpp frame/form.cpp frame/script.cpp)
target_include_directories(web_frame PUBLIC ${PROJECT_SOURCE_DIR})

# The launcher's table, from the one list of the suite's programs.
file(STRINGS launcher/programs.txt lines ENCODING UTF-8 REGEX "^[a-z]")
set(table "")
foreach(line ${lines})
  string(REPLACE "|" ";" fields "${line}")
  list(GET fields 0 name)
  list(GET fields 1 subject)
  list(GET fields 2 title)
  list(GET fields 3 about)
  string(APPEND table "{\"${name}\", \"${subject}\", \"${title}\", \"${about}\"},\n")
endforeach()
file(WRITE ${CMAKE_BINARY_DIR}/launcher/programs.inc.new "${table}")
configure_file(${CMAKE_BINARY_DIR}/launcher/programs.inc.new
               ${CMAKE_BINARY_DIR}/launcher/programs.inc COPYONLY)
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS launcher/programs.txt)

set(names "")
set(window_sources "")
foreach(entry ${web_programs})
  string(REPLACE "|" ";" fields "${entry}")
  list(GET fields 0 program)
  list(GET fields 3 sources)
  separate_arguments(sources)
  string(APPEND names "\"${program}\", ")
  list(APPEND window_sources ${sources})
endforeach()
list(REMOVE_DUPLICATES window_sources)

# Every window and computation once; each program's link takes what its
# window needs.
add_library(web_windows STATIC ${window_sources})
target_link_libraries(web_windows PUBLIC web_frame)
target_include_directories(web_windows PRIVATE ${CMAKE_BINARY_DIR}/launcher)
add_library(web_node_main OBJECT ${web_dir}/node_main.cpp)
target_link_libraries(web_node_main PUBLIC web_frame)
add_library(web_bridge OBJECT ${web_dir}/bridge.cpp ${web_dir}/reading.cpp)
target_link_libraries(web_bridge PUBLIC web_frame)

# The exports the page's view calls (web/bridge.cpp).
set(web_exports "['_web_start','_web_type','_web_click','_web_select','_web_close','_web_copy','_web_compute_for','_malloc','_free']")

add_custom_target(web_site ALL)
foreach(entry ${web_programs})
  string(REPLACE "|" ";" fields "${entry}")
  list(GET fields 0 program)
  list(GET fields 1 class)
  list(GET fields 2 header)
  if(program STREQUAL "calculators")
    # In the browser every program of the suite has its page.
    set(make "std::make_unique<${class}>([](const std::string&) { return true; })")
  else()
    set(make "std::make_unique<${class}>()")
  endif()
  file(CONFIGURE OUTPUT ${CMAKE_BINARY_DIR}/windows/${program}.cpp CONTENT
"#include \"${header}\"
#include \"web/window.h\"

namespace web {
std::unique_ptr<frame::Form> MakeWindow() { return ${make}; }
const char* const kProgram = \"${program}\";
const std::vector<std::string> kPrograms = {${names}};
}  // namespace web
")
  add_library(web_${program} OBJECT ${CMAKE_BINARY_DIR}/windows/${program}.cpp)
  target_link_libraries(web_${program} PUBLIC web_windows)

  # node build-web/bin/PROGRAM.js --script FILE
  add_executable(node_${program} $<TARGET_OBJECTS:web_node_main>)
  target_link_libraries(node_${program} PRIVATE web_${program})
  set_target_properties(node_${program} PROPERTIES OUTPUT_NAME ${program} LINKER_LANGUAGE CXX)
  target_link_options(node_${program} PRIVATE -sENVIRONMENT=node -sNODERAWFS=1
                      -sWASM_ASYNC_COMPILATION=0 -sEXIT_RUNTIME=1
                      --extern-pre-js ${web_dir}/shebang.js)
  add_custom_command(TARGET node_${program} POST_BUILD
                     COMMAND chmod +x $<TARGET_FILE:node_${program}>)

  # site/PROGRAM.js and .wasm: the module a page loads.
  add_executable(page_${program} $<TARGET_OBJECTS:web_bridge>)
  target_link_libraries(page_${program} PRIVATE web_${program})
  set_target_properties(page_${program} PROPERTIES OUTPUT_NAME ${program} LINKER_LANGUAGE CXX
                        RUNTIME_OUTPUT_DIRECTORY ${site})
  target_link_options(page_${program} PRIVATE -sENVIRONMENT=web -sMODULARIZE=1
                      -sEXPORT_NAME=createWindow -sFORCE_FILESYSTEM=1
                      "-sEXPORTED_FUNCTIONS=${web_exports}"
                      "-sEXPORTED_RUNTIME_METHODS=['ccall','cwrap','UTF8ToString','FS']")
  add_dependencies(web_site page_${program})

  # Every golden case through the Node entry, with the desktop's expected output.
  file(GLOB cases CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/*/cases/${program}/*.script
                                    ${PROJECT_SOURCE_DIR}/${program}/cases/*.script)
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

# The frame's unit tests (number texts, print lines, the model, the script
# mode) on the WebAssembly build, under Node.
set(gtest_src /usr/src/googletest/googletest)
if(EXISTS ${gtest_src}/src/gtest-all.cc)
  add_library(web_gtest STATIC ${gtest_src}/src/gtest-all.cc ${gtest_src}/src/gtest_main.cc)
  target_include_directories(web_gtest SYSTEM PUBLIC ${gtest_src}/include PRIVATE ${gtest_src})
  target_compile_definitions(web_gtest PUBLIC GTEST_HAS_PTHREAD=0)
  target_compile_options(web_gtest PRIVATE -w)
  add_executable(web_frame_tests frame/numtext_test.cpp frame/printline_test.cpp
                                 frame/form_test.cpp frame/script_test.cpp
                                 ${web_dir}/reading_test.cpp ${web_dir}/reading.cpp)
  target_link_libraries(web_frame_tests PRIVATE web_frame web_gtest)
  target_link_options(web_frame_tests PRIVATE -sENVIRONMENT=node -sNODERAWFS=1
                      -sWASM_ASYNC_COMPILATION=0 -sEXIT_RUNTIME=1)
  add_test(NAME web.frame_tests COMMAND node $<TARGET_FILE:web_frame_tests>)
endif()

# The number texts' fuzz targets over their committed corpora, once each.
foreach(target numtext pattern)
  add_executable(web_fuzz_${target} ${web_dir}/corpus_main.cpp fuzz/${target}_target.cpp
                                    fuzz/reference_format.cpp)
  target_link_libraries(web_fuzz_${target} PRIVATE web_frame)
  target_link_options(web_fuzz_${target} PRIVATE -sENVIRONMENT=node -sNODERAWFS=1
                      -sWASM_ASYNC_COMPILATION=0 -sEXIT_RUNTIME=1)
  add_test(NAME web.fuzz.${target}
           COMMAND node $<TARGET_FILE:web_fuzz_${target}> ${PROJECT_SOURCE_DIR}/fuzz/corpus/${target})
endforeach()
