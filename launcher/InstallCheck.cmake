# Installs the build into a scratch prefix and checks what a desktop needs:
# the launcher alone in bin/, the programs in their own folder, the desktop
# entries valid, and the installed launcher able to start a program.
file(REMOVE_RECURSE ${PREFIX})
execute_process(COMMAND ${CMAKE_COMMAND} --install ${BUILD} --prefix ${PREFIX}
                RESULT_VARIABLE status OUTPUT_QUIET)
if(status)
  message(FATAL_ERROR "install failed")
endif()

file(GLOB in_bin RELATIVE ${PREFIX}/${BINDIR} ${PREFIX}/${BINDIR}/*)
if(NOT in_bin STREQUAL "calculators")
  message(FATAL_ERROR "${BINDIR}/ must hold the launcher alone, holds: ${in_bin}")
endif()
file(GLOB in_programs RELATIVE ${PREFIX}/${PROGRAM_DIR} ${PREFIX}/${PROGRAM_DIR}/*)
list(SORT in_programs)
set(wanted ${PROGRAMS})
list(SORT wanted)
if(NOT in_programs STREQUAL wanted)
  message(FATAL_ERROR "${PROGRAM_DIR}/ holds \"${in_programs}\", wanted \"${wanted}\"")
endif()
list(LENGTH in_programs count)
message(STATUS "${BINDIR}/: calculators; ${PROGRAM_DIR}/: ${count} programs")

set(apps ${PREFIX}/${DATADIR}/applications)
foreach(name ${PROGRAMS})
  if(NOT EXISTS ${apps}/calculators-${name}.desktop)
    message(FATAL_ERROR "no desktop entry for ${name}")
  endif()
endforeach()
if(NOT EXISTS ${apps}/calculators.desktop)
  message(FATAL_ERROR "no desktop entry for the launcher")
endif()
if(NOT EXISTS ${PREFIX}/${DATADIR}/icons/hicolor/scalable/apps/calculators.svg)
  message(FATAL_ERROR "the icon is not installed")
endif()
# Case files: their type installed, the launcher's entry opening them.
set(mime ${PREFIX}/${DATADIR}/mime)
if(NOT EXISTS ${mime}/packages/flow-calculators-case.xml)
  message(FATAL_ERROR "the type of case files is not installed")
endif()
file(READ ${apps}/calculators.desktop launcher_entry)
string(FIND "${launcher_entry}" "\nMimeType=application/x-flow-calculators-case;\n" mime_at)
string(FIND "${launcher_entry}" "\nExec=calculators %f\n" exec_at)
if(mime_at LESS 0 OR exec_at LESS 0)
  message(FATAL_ERROR "the launcher's entry does not open case files: ${launcher_entry}")
endif()
find_program(UPDATE_MIME update-mime-database)
if(UPDATE_MIME)
  # The package as the desktop's database reads it.
  execute_process(COMMAND ${UPDATE_MIME} ${mime} RESULT_VARIABLE bad OUTPUT_VARIABLE out ERROR_VARIABLE out)
  file(READ ${mime}/globs2 globs)
  if(bad OR NOT globs MATCHES "application/x-flow-calculators-case:\\*\\.flowcase")
    message(FATAL_ERROR "update-mime-database: ${out}\n${globs}")
  endif()
endif()

file(GLOB entries ${apps}/*.desktop)
find_program(VALIDATE desktop-file-validate REQUIRED)
foreach(e ${entries})
  execute_process(COMMAND ${VALIDATE} ${e} RESULT_VARIABLE bad OUTPUT_VARIABLE out ERROR_VARIABLE out)
  if(bad)
    message(FATAL_ERROR "${e}: ${out}")
  endif()
endforeach()

# The installed launcher starts a program from the libexec folder, here in
# its script mode, as a desktop entry's "calculators NAME" does.
list(GET PROGRAMS 0 first)
set(script ${PREFIX}/end.script)
file(WRITE ${script} "click cmdend\n")
execute_process(COMMAND ${PREFIX}/${BINDIR}/calculators ${first} --script ${script}
                WORKING_DIRECTORY ${PREFIX}
                RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE err TIMEOUT 60)
if(status OR NOT out MATCHES "\"event\":\"end\"")
  message(FATAL_ERROR "calculators ${first} --script: status ${status}\n${out}${err}")
endif()

# The installed launcher opens a case file in the program it names, as a
# double-click on one does (the program shows its window once and leaves;
# isentropic's window is one that says when it is painted here).
list(FIND PROGRAMS isentropic found)
if(found LESS 0)
  return()
endif()
set(case ${PREFIX}/saved.flowcase)
file(WRITE ${case} "# flow-calculators case: program isentropic, version 0, units us\ntype txtm1 2\n")
execute_process(COMMAND ${CMAKE_COMMAND} -E env QT_QPA_PLATFORM=offscreen CALC_EXIT_WHEN_SHOWN=1
                        ${PREFIX}/${BINDIR}/calculators ${case}
                WORKING_DIRECTORY ${PREFIX}
                RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE err TIMEOUT 60)
if(status OR NOT err MATCHES "painted")
  message(FATAL_ERROR "calculators ${case}: status ${status}\n${out}${err}")
endif()
