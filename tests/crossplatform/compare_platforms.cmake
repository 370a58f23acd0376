# Renders the fixed test signal through a plug-in's Linux .so and through its
# DLL under wine, and compares the two renders.
#   cmake -DREFERENCE_TOOL=... -DREFERENCE_PLUGIN=... -DEMULATOR=a|b|c -DTOOL=... -DPLUGIN=...
#         -DSET=... -DWORK=... -DTOLERANCE=... -P compare_platforms.cmake
foreach(var REFERENCE_TOOL REFERENCE_PLUGIN TOOL PLUGIN SET WORK TOLERANCE)
  if(NOT DEFINED ${var})
    message(FATAL_ERROR "compare_platforms.cmake needs -D${var}=...")
  endif()
endforeach()
foreach(file REFERENCE_TOOL REFERENCE_PLUGIN)
  if(NOT EXISTS "${${file}}")
    message(FATAL_ERROR "${${file}} is missing: build the Linux reference first")
  endif()
endforeach()

string(REPLACE "|" ";" EMULATOR "${EMULATOR}")
file(MAKE_DIRECTORY "${WORK}")
set(frames 88200)  # two seconds: every section of the signal, twice the look-ahead

function(run)
  execute_process(COMMAND ${ARGN} RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err)
  if(NOT rc EQUAL 0)
    string(REPLACE ";" " " command "${ARGN}")
    message(FATAL_ERROR "${command}\nfailed (${rc}):\n${out}${err}")
  endif()
  set(output "${out}" PARENT_SCOPE)
endfunction()

run("${REFERENCE_TOOL}" signal ${frames} "${WORK}/in.raw")
run("${REFERENCE_TOOL}" render "${REFERENCE_PLUGIN}" "${WORK}/in.raw" "${WORK}/linux.raw" --set ${SET})
run(${EMULATOR} "${TOOL}" render "${PLUGIN}" "${WORK}/in.raw" "${WORK}/windows.raw" --set ${SET})
run("${REFERENCE_TOOL}" compare "${WORK}/linux.raw" "${WORK}/windows.raw" ${TOLERANCE})
get_filename_component(name "${PLUGIN}" NAME)
message("${name} (${SET}) against Linux: ${output}")
