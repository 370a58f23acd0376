# Steps shared by the cmake -P scripts that run a tool and compare what it wrote.
#   tarn_require(SCRIPT VAR...)   stops unless each -DVAR=... was given
#   tarn_require_built(VAR...)    stops unless each file named by VAR exists
#   run(COMMAND...)               runs a command, stops with its output when it fails,
#                                 and leaves its standard output in `output`

function(tarn_require script)
  foreach(var ${ARGN})
    if(NOT DEFINED ${var})
      message(FATAL_ERROR "${script} needs -D${var}=...")
    endif()
  endforeach()
endfunction()

function(tarn_require_built)
  foreach(var ${ARGN})
    if(NOT EXISTS "${${var}}")
      message(FATAL_ERROR "${${var}} is missing: build the Linux reference first")
    endif()
  endforeach()
endfunction()

function(run)
  execute_process(COMMAND ${ARGN} RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err)
  if(NOT rc EQUAL 0)
    string(REPLACE ";" " " command "${ARGN}")
    message(FATAL_ERROR "${command}\nfailed (${rc}):\n${out}${err}")
  endif()
  set(output "${out}" PARENT_SCOPE)
endfunction()
