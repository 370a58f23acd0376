# Opens a plug-in's editor in a real window under wine, plays mouse input on it when
# given, grabs its pixels and compares them with the Linux headless drawing of the
# same editor at the values it should then show.
#   cmake -DREFERENCE_TOOL=... -DREFERENCE_PLUGIN=linux.so -DRUNNER=a|b|c -DHOST=... -DPLUGIN=... -DWORK=...
#         [-DSET=i=v|spread|...] [-DSTEPS="move x y, down, up"] [-DEXPECT=line|line]
#         [-DSHOWN=i=v|spread|...] [-DKNOB_MODE=n] -P compare_editor.cmake
# SET holds the values set before the editor opens ("spread": every parameter away from
# its default, then the single ones); SHOWN, the values the reference is drawn at (SET
# when not given).
include("${CMAKE_CURRENT_LIST_DIR}/../../cmake/TarnScriptSteps.cmake")
tarn_require(compare_editor.cmake REFERENCE_TOOL REFERENCE_PLUGIN RUNNER HOST PLUGIN WORK)
tarn_require_built(REFERENCE_TOOL REFERENCE_PLUGIN)
string(REPLACE "|" ";" RUNNER "${RUNNER}")
string(REPLACE "|" ";" SET "${SET}")
string(REPLACE "|" ";" EXPECT "${EXPECT}")
if(DEFINED SHOWN)
  string(REPLACE "|" ";" SHOWN "${SHOWN}")
else()
  set(SHOWN "${SET}")
endif()
file(MAKE_DIRECTORY "${WORK}")

# "spread" sets every parameter, i=v one
function(value_options out)
  set(options "")
  foreach(value ${ARGN})
    if(value STREQUAL "spread")
      list(APPEND options --spread)
    else()
      list(APPEND options --set ${value})
    endif()
  endforeach()
  set(${out} "${options}" PARENT_SCOPE)
endfunction()
value_options(reference_args ${SHOWN})
value_options(host_args ${SET})
foreach(line ${EXPECT})
  list(APPEND host_args --expect "${line}")
endforeach()
if(DEFINED KNOB_MODE)
  list(APPEND host_args --knob-mode ${KNOB_MODE})
endif()

run("${REFERENCE_TOOL}" render "${REFERENCE_PLUGIN}" "${WORK}/linux.ppm" ${reference_args})
file(REMOVE "${WORK}/windows.ppm")
if(DEFINED STEPS)
  run(${RUNNER} "${HOST}" input "${PLUGIN}" "${STEPS}" ${host_args} --shot "${WORK}/windows.ppm")
  string(STRIP "${output}" edits)
  string(REPLACE "\n" ", " edits "${edits}")
  message("edits reported: ${edits}")
else()
  run(${RUNNER} "${HOST}" shot "${PLUGIN}" "${WORK}/windows.ppm" ${host_args})
endif()
run("${REFERENCE_TOOL}" compare "${WORK}/linux.ppm" "${WORK}/windows.ppm")
get_filename_component(name "${PLUGIN}" NAME)
message("${name} editor against the Linux drawing: ${output}")
