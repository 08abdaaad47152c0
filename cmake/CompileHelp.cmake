# Compiles the help project with chmcmd (cmake -P script, run by help/CMakeLists.txt).
#
#   CHMCMD              the chmcmd program
#   PROJECT_FILE        the .hhp project in the source tree
#   WORK_DIR            a scratch folder of the build tree
#   OUTPUT              where the compiled file goes
#   WARNINGS_AS_ERRORS  ON: a warning of chmcmd stops the build
#
# chmcmd writes the project's "Compiled file" relative to its working
# directory, so it runs in WORK_DIR and never writes into the sources. The
# result is moved to OUTPUT only when chmcmd succeeded, so a failed run leaves
# no file that looks up to date.

file(REMOVE_RECURSE "${WORK_DIR}")
file(MAKE_DIRECTORY "${WORK_DIR}")
execute_process(COMMAND "${CHMCMD}" "${PROJECT_FILE}"
  WORKING_DIRECTORY "${WORK_DIR}"
  RESULT_VARIABLE result OUTPUT_VARIABLE out ERROR_VARIABLE err)

# chmcmd is chatty when all is well: its banner, "Note:" lines and the name of
# the file it writes. Anything else is a finding (a missing page, a link to
# nowhere, an exception) and is shown.
string(REPLACE ";" "\\;" lines "${out}\n${err}")
string(REPLACE "\n" ";" lines "${lines}")
set(findings "")
foreach(line IN LISTS lines)
  string(STRIP "${line}" line)
  if(line STREQUAL "" OR line MATCHES "^Note: " OR line MATCHES "^Writing CHM "
     OR line MATCHES "^chmcmd, a CHM compiler\\.")
    continue()
  endif()
  string(APPEND findings "  ${line}\n")
endforeach()

if(NOT result EQUAL 0)
  message(FATAL_ERROR "chmcmd failed (exit status ${result}) on ${PROJECT_FILE}:\n${findings}")
endif()
if(NOT findings STREQUAL "")
  if(WARNINGS_AS_ERRORS)
    message(FATAL_ERROR "chmcmd reported problems in ${PROJECT_FILE}:\n${findings}")
  endif()
  message(WARNING "chmcmd reported problems in ${PROJECT_FILE}:\n${findings}")
endif()

file(GLOB compiled "${WORK_DIR}/*.chm")
list(LENGTH compiled count)
if(NOT count EQUAL 1)
  message(FATAL_ERROR "chmcmd wrote ${count} .chm files into ${WORK_DIR}, expected one")
endif()
file(RENAME "${compiled}" "${OUTPUT}")
