# The installed tree: `cmake --install` into a fresh prefix, then the installed corvane runs
# an example script from there (its libraries through the RPATH, its pictures from
# share/corvane/resources), the sample documents are in share/corvane/documents, and no
# installed file names the source or build folder.
# A sanitized build is the exception: the sanitizers keep the source file names of their
# checks in the program (compiler options cannot map them), so there only the files that are
# no program and the programs' library search paths are checked.
#   cmake -DBUILD_DIR=... -DSOURCE_DIR=... -DPREFIX=... [-DSANITIZED=ON] -P InstalledProgram.cmake
foreach(var BUILD_DIR SOURCE_DIR PREFIX)
  if(NOT ${var})
    message(FATAL_ERROR "${var} is not set")
  endif()
endforeach()

file(REMOVE_RECURSE ${PREFIX})
# --strip: the test build's debugging information names the source files.
execute_process(COMMAND ${CMAKE_COMMAND} --install ${BUILD_DIR} --prefix ${PREFIX} --strip
  RESULT_VARIABLE installed OUTPUT_QUIET)
if(NOT installed EQUAL 0)
  message(FATAL_ERROR "cmake --install failed: ${installed}")
endif()

set(program ${PREFIX}/bin/corvane)
foreach(file ${program} ${PREFIX}/share/corvane/resources/frmMain_Command13.png ${PREFIX}/share/corvane/resources/hand.cur
    ${PREFIX}/share/corvane/documents/Labels.fodt ${PREFIX}/share/corvane/documents/Report.fodt)
  if(NOT EXISTS ${file})
    message(FATAL_ERROR "not installed: ${file}")
  endif()
endforeach()

# The program loads the installed libraries, not those of the build tree.
execute_process(COMMAND ldd ${program} OUTPUT_VARIABLE linked)
foreach(library corvane_host corvane_extension)
  if(NOT linked MATCHES "lib${library}\\.so => ${PREFIX}/")
    message(FATAL_ERROR "the installed corvane does not load the installed lib${library}.so:\n${linked}")
  endif()
endforeach()

set(work ${PREFIX}/work)
execute_process(COMMAND ${program} --script ${SOURCE_DIR}/examples/first-click.script --work ${work}
  RESULT_VARIABLE ran OUTPUT_VARIABLE out ERROR_VARIABLE err)
file(READ ${SOURCE_DIR}/examples/first-click.expected expected)
string(REPLACE "${work}" "\${WORK}" out "${out}")
if(NOT ran EQUAL 0 OR NOT out STREQUAL expected)
  message(FATAL_ERROR "the installed corvane ran first-click.script with status ${ran}:\n${out}${err}\nexpected:\n${expected}")
endif()
file(REMOVE_RECURSE ${work})

file(GLOB_RECURSE installed_files ${PREFIX}/*)
foreach(file ${installed_files})
  file(READ ${file} magic LIMIT 4 HEX)
  if(SANITIZED AND magic STREQUAL "7f454c46")
    execute_process(COMMAND readelf -d ${file} OUTPUT_VARIABLE found)
    string(REGEX MATCHALL "\\((RPATH|RUNPATH)\\)[^\n]*" found "${found}")
  else()
    file(STRINGS ${file} found)
  endif()
  foreach(folder ${SOURCE_DIR} ${BUILD_DIR})
    string(FIND "${found}" "${folder}" at)
    if(NOT at EQUAL -1)
      message(FATAL_ERROR "${file} names ${folder}")
    endif()
  endforeach()
endforeach()
message(STATUS "installed into ${PREFIX}: ${installed_files}")
