# Renders the fixed test signal through a plug-in's Linux .so and through its
# DLL under wine, and compares the two renders.
#   cmake -DREFERENCE_TOOL=... -DREFERENCE_PLUGIN=... -DEMULATOR=a|b|c -DTOOL=... -DPLUGIN=...
#         -DSET=... -DWORK=... -DTOLERANCE=... -P compare_platforms.cmake
include("${CMAKE_CURRENT_LIST_DIR}/../../cmake/TarnScriptSteps.cmake")
tarn_require(compare_platforms.cmake REFERENCE_TOOL REFERENCE_PLUGIN TOOL PLUGIN SET WORK TOLERANCE)
tarn_require_built(REFERENCE_TOOL REFERENCE_PLUGIN)

string(REPLACE "|" ";" EMULATOR "${EMULATOR}")
file(MAKE_DIRECTORY "${WORK}")
set(frames 88200)  # two seconds: every section of the signal, twice the look-ahead

run("${REFERENCE_TOOL}" signal ${frames} "${WORK}/in.raw")
run("${REFERENCE_TOOL}" render "${REFERENCE_PLUGIN}" "${WORK}/in.raw" "${WORK}/linux.raw" --set ${SET})
run(${EMULATOR} "${TOOL}" render "${PLUGIN}" "${WORK}/in.raw" "${WORK}/windows.raw" --set ${SET})
run("${REFERENCE_TOOL}" compare "${WORK}/linux.raw" "${WORK}/windows.raw" ${TOLERANCE})
get_filename_component(name "${PLUGIN}" NAME)
message("${name} (${SET}) against Linux: ${output}")
