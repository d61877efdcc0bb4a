# Reads programs.txt, the one list of the suite's programs. Sets
#   CALC_PROGRAMS          the names, in the launcher's order
#   CALC_PROGRAM_FOLDERS   their folders, each once
#   CALC_<name>_FOLDER, _CLASS, _SUBJECT, _TITLE, _ABOUT
# and where they are installed:
#   CALC_PROGRAM_INSTALL_DIR    libexec/flow-calculators (the launcher alone goes to bin/)
#   CALC_PROGRAM_DIR_FROM_BIN   that folder as seen from bin/
file(STRINGS ${PROJECT_SOURCE_DIR}/programs.txt calc_lines ENCODING UTF-8 REGEX "^[a-z]")
set_property(DIRECTORY ${PROJECT_SOURCE_DIR} APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS
             ${PROJECT_SOURCE_DIR}/programs.txt)
set(CALC_PROGRAMS "")
set(CALC_PROGRAM_FOLDERS "")
foreach(line ${calc_lines})
  string(REPLACE "|" ";" fields "${line}")
  list(LENGTH fields n)
  if(NOT n EQUAL 6)
    message(FATAL_ERROR "programs.txt: six fields wanted in \"${line}\"")
  endif()
  list(GET fields 0 name)
  list(APPEND CALC_PROGRAMS ${name})
  set(i 1)
  foreach(key FOLDER CLASS SUBJECT TITLE ABOUT)
    list(GET fields ${i} value)
    set(CALC_${name}_${key} "${value}")
    math(EXPR i "${i} + 1")
  endforeach()
  list(APPEND CALC_PROGRAM_FOLDERS ${CALC_${name}_FOLDER})
endforeach()
list(REMOVE_DUPLICATES CALC_PROGRAM_FOLDERS)

set(CALC_PROGRAM_INSTALL_DIR ${CMAKE_INSTALL_LIBEXECDIR}/flow-calculators)
file(RELATIVE_PATH CALC_PROGRAM_DIR_FROM_BIN /prefix/${CMAKE_INSTALL_BINDIR}
     /prefix/${CALC_PROGRAM_INSTALL_DIR})
