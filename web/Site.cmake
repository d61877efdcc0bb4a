# The static site: one page per program, the index (the launcher's page), the
# view, its styles and the fonts. Included by web_targets (cmake/Web.cmake).
set(site_files "")
function(site_copy from to)
  add_custom_command(OUTPUT ${site}/${to} COMMAND ${CMAKE_COMMAND} -E copy ${from} ${site}/${to}
                     DEPENDS ${from} VERBATIM)
  set(site_files ${site_files} ${site}/${to} PARENT_SCOPE)
endfunction()

# The help pages link the styles; the program pages carry them, and the view,
# inside them (below).
site_copy(${web_dir}/suite.css suite.css)
set(esbuild ${PROJECT_SOURCE_DIR}/node_modules/esbuild/package.json)
if(NOT EXISTS ${esbuild})
  message(FATAL_ERROR "${esbuild} is missing: run \"npm ci\" in ${PROJECT_SOURCE_DIR} first"
                      " (./suite.sh web does)")
endif()
site_copy(${PROJECT_SOURCE_DIR}/launcher/calculators.svg calculators.svg)
# Liberation fonts: the SIL Open Font License lets them travel with the site.
set(font_dir /usr/share/fonts/truetype/liberation)
foreach(face Serif-Bold Sans-Bold Serif-Regular Serif-Italic Serif-BoldItalic Sans-Regular)
  site_copy(${font_dir}/Liberation${face}.ttf fonts/Liberation${face}.ttf)
endforeach()
if(EXISTS /usr/share/doc/fonts-liberation/copyright)
  site_copy(/usr/share/doc/fonts-liberation/copyright fonts/LICENSE.txt)
endif()

# The About box of every page: the suite's name, version, disclaimer and
# licence, as the desktop's About gives them.
foreach(part licence disclaimer)
  string(TOUPPER ${part} upper)
  string(REPLACE "&" "&amp;" about_${part} "${CALC_${upper}}")
  string(REPLACE "<" "&lt;" about_${part} "${about_${part}}")
  string(REPLACE ">" "&gt;" about_${part} "${about_${part}}")
endforeach()
set(ABOUT_DIALOG "<dialog id=\"about\" class=\"about sans\" aria-labelledby=\"about-title\">
<p id=\"about-title\"><b>Compressible Flow and Gas Turbine Calculators</b><br>Version ${PROJECT_VERSION}</p>
<p id=\"about-disclaimer\"><b>Disclaimer</b><br>${about_disclaimer}</p>
<p>${about_licence}</p>
<form method=\"dialog\"><button type=\"submit\" autofocus>OK</button></form>
</dialog>")

# The help: help/PROGRAM.html shows help/PROGRAM.md, the program's help with
# its worked example filled in from its golden case as the desktop build
# does (a small Node tool of each program, web/help_main.cpp), rendered in
# the page by markdown-it (npm ci brings it; ./suite.sh does that first).
set(markdown_it ${PROJECT_SOURCE_DIR}/node_modules/markdown-it/dist/markdown-it.min.js)
if(NOT EXISTS ${markdown_it})
  message(FATAL_ERROR "${markdown_it} is missing: run \"npm ci\" in ${PROJECT_SOURCE_DIR} first"
                      " (./suite.sh web does)")
endif()
site_copy(${markdown_it} markdown-it.min.js)
site_copy(${web_dir}/help.js help.js)
add_library(web_help_main OBJECT ${web_dir}/help_main.cpp)
target_link_libraries(web_help_main PUBLIC core PRIVATE calc_flags)
# Each program's page and its help page, titled with the launcher's list
# until the window's caption replaces the page's title.
foreach(PROGRAM ${programs})
  if(PROGRAM STREQUAL "calculators")
    set(PAGE_TITLE "Compressible Flow and Gas Turbine Calculators")
    set(PAGE index.html)
  else()
    set(PAGE_TITLE "${CALC_${PROGRAM}_TITLE}")
    set(PAGE ${PROGRAM}.html)
  endif()
  # The page carries its styles, its window's module's loader and the view (its ES
  # modules bundled into one script by esbuild, from the lock file's npm
  # packages), so that nothing but the WebAssembly and the fonts is fetched
  # before it starts. The depfile names every module the bundle read.
  set(template ${CMAKE_BINARY_DIR}/pages/${PAGE})
  configure_file(${web_dir}/page.html.in ${template} @ONLY)
  add_custom_command(OUTPUT ${site}/${PAGE}
                     COMMAND node ${web_dir}/inline-page.mjs ${template} ${site}/${PAGE}
                             --depfile=${template}.d suite.css=${web_dir}/suite.css ${PROGRAM}-start.js=$<TARGET_FILE:page_${PROGRAM}_start>
                             view.js=${web_dir}/view.mjs
                     DEPENDS ${template} ${web_dir}/inline-page.mjs ${web_dir}/bundle.mjs ${web_dir}/suite.css ${web_dir}/view.mjs
                             ${esbuild} page_${PROGRAM}_start
                     DEPFILE ${template}.d VERBATIM)
  list(APPEND site_files ${site}/${PAGE})

  set(source ${PROJECT_SOURCE_DIR}/${CALC_${PROGRAM}_FOLDER}/${PROGRAM}.help.md)
  add_executable(help_${PROGRAM} $<TARGET_OBJECTS:web_help_main>)
  target_link_libraries(help_${PROGRAM} PRIVATE web_${PROGRAM} core)
  set_target_properties(help_${PROGRAM} PROPERTIES LINKER_LANGUAGE CXX)
  # Run once per build: no optimizer pass over the module.
  target_link_options(help_${PROGRAM} PRIVATE ${node_options} -O0)
  help_inputs(${source} depends)
  add_custom_command(OUTPUT ${site}/help/${PROGRAM}.md
                     COMMAND ${CMAKE_COMMAND} -E make_directory ${site}/help
                     COMMAND node $<TARGET_FILE:help_${PROGRAM}> ${source} ${site}/help/${PROGRAM}.md
                     DEPENDS help_${PROGRAM} ${depends} VERBATIM)
  list(APPEND site_files ${site}/help/${PROGRAM}.md)
  configure_file(${web_dir}/help.html.in ${site}/help/${PROGRAM}.html @ONLY)
endforeach()
add_custom_target(web_site_files ALL DEPENDS ${site_files})
add_dependencies(web_site web_site_files)

# Sweep and plot, charts: the panels, their worker and the chart library,
# which the panels load on first use. The library comes from the npm
# packages of the lock file (npm ci, as for markdown-it above).
set(site_files "")
site_copy(${web_dir}/plot.js plot.js)
# The panels' ES modules, imported by plot.js.
foreach(part main bindings panel sweep-panel chart-panel workers)
  site_copy(${web_dir}/plot/${part}.js plot/${part}.js)
endforeach()
# The sweep worker, bundled with the table of the module's exports into one
# classic script (a worker's importScripts loads the program's module).
add_custom_command(OUTPUT ${site}/sweep-worker.js
                   COMMAND node ${web_dir}/bundle.mjs ${web_dir}/sweep-worker.mjs ${site}/sweep-worker.js
                           ${CMAKE_BINARY_DIR}/sweep-worker.d
                   DEPENDS ${web_dir}/sweep-worker.mjs ${web_dir}/bindings.mjs ${web_dir}/bundle.mjs ${esbuild}
                   DEPFILE ${CMAKE_BINARY_DIR}/sweep-worker.d VERBATIM)
list(APPEND site_files ${site}/sweep-worker.js)
set(plotly_dir ${PROJECT_SOURCE_DIR}/node_modules/plotly.js-basic-dist-min)
if(NOT EXISTS ${plotly_dir}/plotly-basic.min.js)
  message(FATAL_ERROR "${plotly_dir}/plotly-basic.min.js is missing: run \"npm ci\" in ${PROJECT_SOURCE_DIR} first")
endif()
site_copy(${plotly_dir}/plotly-basic.min.js plotly-basic.min.js)
site_copy(${plotly_dir}/LICENSE plotly-LICENSE.txt)
add_custom_target(web_plot_files ALL DEPENDS ${site_files})
add_dependencies(web_site web_plot_files)

# Installable and offline: the web app manifest, its icons and the favicon
# (drawn from the suite's SVG icon by chromium, which the tests use too),
# and the service worker that keeps every file of the site. sw.js lists
# what the site holds once everything else is built, so it is made last,
# every build (written only when the site changed).
set(site_files "")
site_copy(${web_dir}/manifest.webmanifest manifest.webmanifest)
set(puppeteer ${PROJECT_SOURCE_DIR}/node_modules/puppeteer-core/package.json)
set(icons ${site}/icon-192.png ${site}/icon-512.png ${site}/icon-maskable-512.png ${site}/favicon.ico)
add_custom_command(OUTPUT ${icons}
                   COMMAND node ${web_dir}/icons.mjs ${PROJECT_SOURCE_DIR}/launcher/calculators.svg ${site}
                   DEPENDS ${web_dir}/icons.mjs ${PROJECT_SOURCE_DIR}/launcher/calculators.svg ${puppeteer} VERBATIM)
list(APPEND site_files ${icons})
add_custom_target(web_app_files ALL DEPENDS ${site_files})
add_custom_target(web_offline ALL COMMAND node ${web_dir}/offline.mjs ${site} ${web_dir}/sw.js.in VERBATIM)
add_dependencies(web_offline web_site web_site_files web_plot_files web_app_files)
