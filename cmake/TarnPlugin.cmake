# tarn_add_plugin(NAME CORE core_target ENTRY entry.cpp [TEST])
# Builds tarn_NAME as a loadable VST 2 module (tarn_NAME.so, tarn_NAME.dll) from the
# plug-in's core library and its one-line entry file, exporting only the entry points.
# A TEST module is built the same way beside its tests, and is neither installed nor
# counted among the product's plug-ins.
# Link-time optimisation: the entry, the effect and its signal path become one
# optimisation unit. Not with the sanitizers, which want the code as written.
include(CheckIPOSupported)
check_ipo_supported(RESULT TARN_LTO_SUPPORTED LANGUAGES CXX)
option(TARN_LTO "Link-time optimisation of the plug-ins" ${TARN_LTO_SUPPORTED})

function(tarn_add_plugin name)
  cmake_parse_arguments(ARG "TEST" "CORE;ENTRY" "" ${ARGN})
  set(target tarn_${name})
  add_library(${target} MODULE ${ARG_ENTRY} ${PROJECT_SOURCE_DIR}/frame/plugin_entry.cpp)
  target_link_libraries(${target} PRIVATE ${ARG_CORE})
  set_target_properties(${target} PROPERTIES
    PREFIX ""
    CXX_VISIBILITY_PRESET hidden
    VISIBILITY_INLINES_HIDDEN ON)
  if(NOT ARG_TEST)
    set_target_properties(${target} PROPERTIES LIBRARY_OUTPUT_DIRECTORY "${TARN_PLUGIN_DIR}")
  endif()
  if(WIN32)
    target_sources(${target} PRIVATE ${PROJECT_SOURCE_DIR}/frame/plugin_exports.def)
    # one file to copy: C and C++ runtime inside; release DLLs without symbol tables
    target_link_options(${target} PRIVATE -static -static-libgcc -static-libstdc++ $<$<CONFIG:Release>:-s>)
  else()
    target_link_options(${target} PRIVATE -Wl,--no-undefined)
  endif()
  if(TARN_LTO AND NOT TARN_ANY_SANITIZER)
    set_property(TARGET ${target} ${ARG_CORE} PROPERTY INTERPROCEDURAL_OPTIMIZATION ON)
  endif()
  if(NOT ARG_TEST)
    install(TARGETS ${target} LIBRARY DESTINATION "${TARN_VST_DIR}" COMPONENT vst)
    set_property(GLOBAL APPEND PROPERTY TARN_PLUGINS ${target})
  endif()
endfunction()
