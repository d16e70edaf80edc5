# The layer check fails on a bare include: a copy of platform/ in which one
# source includes "surface.h" instead of "controls/surface.h" must be refused.
#   cmake -DSOURCE=<platform/> -DSCRATCH=<folder> -DCHECKER=<include_graph.py> -DMANIFEST=<platform_layers.txt> -P ...
file(REMOVE_RECURSE ${SCRATCH})
file(COPY ${SOURCE}/ DESTINATION ${SCRATCH})
set(planted ${SCRATCH}/src/accessibility/names.cpp)
file(READ ${planted} text)
string(REPLACE "#include \"controls/surface.h\"" "#include \"surface.h\"" bare "${text}")
if(bare STREQUAL text)
  message(FATAL_ERROR "names.cpp no longer includes controls/surface.h: plant the bare include elsewhere")
endif()
file(WRITE ${planted} "${bare}")
execute_process(COMMAND python3 ${CHECKER} --check --platform ${SCRATCH} ${MANIFEST}
                RESULT_VARIABLE status OUTPUT_VARIABLE out)
file(REMOVE_RECURSE ${SCRATCH})
if(NOT status EQUAL 1 OR NOT out MATCHES "names.cpp includes \"surface.h\" bare: write \"controls/surface.h\"")
  message(FATAL_ERROR "the layer check let a bare include through (exit ${status}):\n${out}")
endif()
