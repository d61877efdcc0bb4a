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
