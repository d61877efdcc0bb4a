# The static site: one page per program, the index (the launcher's page), the
# view, its styles and the fonts. Included by web_targets (cmake/Web.cmake).
set(site_files "")
function(site_copy from to)
  add_custom_command(OUTPUT ${site}/${to} COMMAND ${CMAKE_COMMAND} -E copy ${from} ${site}/${to}
                     DEPENDS ${from} VERBATIM)
  set(site_files ${site_files} ${site}/${to} PARENT_SCOPE)
endfunction()

site_copy(${web_dir}/view.js view.js)
site_copy(${web_dir}/suite.css suite.css)
site_copy(${PROJECT_SOURCE_DIR}/launcher/calculators.svg calculators.svg)
# Liberation fonts: the SIL Open Font License lets them travel with the site.
set(font_dir /usr/share/fonts/truetype/liberation)
foreach(face Serif-Bold Sans-Bold Serif-Regular Serif-Italic Serif-BoldItalic Sans-Regular)
  site_copy(${font_dir}/Liberation${face}.ttf fonts/Liberation${face}.ttf)
endforeach()
if(EXISTS /usr/share/doc/fonts-liberation/copyright)
  site_copy(/usr/share/doc/fonts-liberation/copyright fonts/LICENSE.txt)
endif()

# Page titles: the launcher's list, until the window's caption replaces it.
foreach(PROGRAM ${programs})
  if(PROGRAM STREQUAL "calculators")
    set(PAGE_TITLE "Compressible Flow and Gas Turbine Calculators")
    set(page index.html)
  else()
    set(PAGE_TITLE "${CALC_${PROGRAM}_TITLE}")
    set(page ${PROGRAM}.html)
  endif()
  configure_file(${web_dir}/page.html.in ${site}/${page} @ONLY)
endforeach()
add_custom_target(web_site_files ALL DEPENDS ${site_files})
add_dependencies(web_site web_site_files)

# Sweep and plot, charts: the panels, their worker and the chart library,
# which the panels load on first use. The library comes from the npm
# packages of the lock file; a tree without them gets them here.
set(site_files "")
site_copy(${web_dir}/plot.js plot.js)
site_copy(${web_dir}/sweep-worker.js sweep-worker.js)
set(plotly_dir ${PROJECT_SOURCE_DIR}/node_modules/plotly.js-basic-dist-min)
find_program(CALC_NPM npm)
if(CALC_NPM)
  add_custom_command(OUTPUT ${plotly_dir}/plotly-basic.min.js ${plotly_dir}/LICENSE
                     COMMAND ${CALC_NPM} ci --no-audit --no-fund
                     # npm leaves the packages' old dates on the files: mark the install.
                     COMMAND ${CMAKE_COMMAND} -E touch ${plotly_dir}/plotly-basic.min.js ${plotly_dir}/LICENSE
                     WORKING_DIRECTORY ${PROJECT_SOURCE_DIR} VERBATIM
                     COMMENT "npm ci: the libraries the site ships")
endif()
site_copy(${plotly_dir}/plotly-basic.min.js plotly-basic.min.js)
site_copy(${plotly_dir}/LICENSE plotly-LICENSE.txt)
add_custom_target(web_plot_files ALL DEPENDS ${site_files})
add_dependencies(web_site web_plot_files)
