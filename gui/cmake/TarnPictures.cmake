# tarn_add_pictures(TARGET NAMESPACE ns SOURCES 12128_panel.svg 12129_button.png ...)
# Compiles the pictures into TARGET as the table ns::kPictures (header ns_pictures.h).
# The leading digits of each file name are the picture's resource number. SVG sources
# are rasterized at build time with rsvg-convert at their own pixel size (draw edges that
# meet the colour key with shape-rendering="crispEdges", so no blended fringe stays
# around keyed areas); transparent pixels become white, the colour key.
#
# Shared parts: the screws, knob caps, LEDs, keys and fader caps that every product's
# pictures use live once in gui/art/parts.svg, and a picture refers to them as
# <use xlink:href="parts.svg#part-knob"/>. librsvg resolves such references only to
# files beside the picture and does not resolve the gradients inside them, so each SVG
# first goes through TarnSvgParts.cmake (cmake -P, on the build machine, also in cross
# builds): it makes the references local and copies the <defs> of parts.svg into a
# merged copy in the build folder, which rsvg-convert then renders.
find_program(TARN_RSVG_CONVERT rsvg-convert NO_CMAKE_FIND_ROOT_PATH)
get_filename_component(TARN_SVG_PARTS "${CMAKE_CURRENT_LIST_DIR}/../art/parts.svg" ABSOLUTE)
set(TARN_SVG_PARTS "${TARN_SVG_PARTS}" CACHE INTERNAL "the shared parts of the panel pictures")
set(TARN_SVG_MERGE "${CMAKE_CURRENT_LIST_DIR}/TarnSvgParts.cmake" CACHE INTERNAL "")

function(tarn_add_pictures target)
  cmake_parse_arguments(ARG "" "NAMESPACE" "SOURCES" ${ARGN})
  if(NOT ARG_NAMESPACE OR NOT ARG_SOURCES)
    message(FATAL_ERROR "tarn_add_pictures(${target}): NAMESPACE and SOURCES are required")
  endif()
  set(gen "${CMAKE_CURRENT_BINARY_DIR}/${target}_pictures")
  file(MAKE_DIRECTORY "${gen}")
  set(pairs "")
  set(pngs "")
  foreach(src IN LISTS ARG_SOURCES)
    get_filename_component(abs "${src}" ABSOLUTE)
    get_filename_component(stem "${src}" NAME_WE)
    string(REGEX MATCH "^[0-9]+" id "${stem}")
    if(NOT id)
      message(FATAL_ERROR "tarn_add_pictures: ${src} does not start with its resource number")
    endif()
    if(abs MATCHES "\\.svg$")
      if(NOT TARN_RSVG_CONVERT)
        message(FATAL_ERROR "tarn_add_pictures: rsvg-convert (librsvg2-bin) is needed for ${src}")
      endif()
      set(png "${gen}/${stem}.png")
      set(merged "${gen}/${stem}.svg")
      add_custom_command(OUTPUT "${png}"
        COMMAND "${CMAKE_COMMAND}" -DSOURCE=${abs} -DPARTS=${TARN_SVG_PARTS} -DOUTPUT=${merged}
                -P "${TARN_SVG_MERGE}"
        COMMAND "${TARN_RSVG_CONVERT}" --format png -o "${png}" "${merged}"
        DEPENDS "${abs}" "${TARN_SVG_PARTS}" "${TARN_SVG_MERGE}"
        COMMENT "Rasterizing ${src}" VERBATIM)
    else()
      set(png "${abs}")
    endif()
    list(APPEND pairs "${id}=${png}")
    list(APPEND pngs "${png}")
  endforeach()
  set(base "${gen}/${ARG_NAMESPACE}_pictures")
  add_custom_command(OUTPUT "${base}.cpp" "${base}.h"
    COMMAND ${TARN_picgen_COMMAND} "${base}" "${ARG_NAMESPACE}" ${pairs}
    DEPENDS ${TARN_picgen_DEPENDS} ${pngs}
    COMMENT "Picture table ${ARG_NAMESPACE}::kPictures" VERBATIM)
  target_sources(${target} PRIVATE "${base}.cpp" "${base}.h")
  target_include_directories(${target} PRIVATE "${gen}")
endfunction()
