# Builds the two probes of the layer walls: a file of the data layer that
# includes headers of its own and of the layer below must compile, one that
# includes a header of the layer above must not.
execute_process(COMMAND ${CMAKE_COMMAND} --build ${BUILD_DIR} --target wall_sees_below
                RESULT_VARIABLE below OUTPUT_VARIABLE out ERROR_VARIABLE out)
if(NOT below EQUAL 0)
  message(FATAL_ERROR "data/ cannot include its own headers or platform/'s:\n${out}")
endif()
execute_process(COMMAND ${CMAKE_COMMAND} --build ${BUILD_DIR} --target wall_sees_above
                RESULT_VARIABLE above OUTPUT_VARIABLE out ERROR_VARIABLE out)
if(above EQUAL 0)
  message(FATAL_ERROR "data/ can include app/Settings.h: the layer walls have a gap")
endif()
if(NOT out MATCHES "app/Settings.h")
  message(FATAL_ERROR "the probe failed for another reason than the missing header:\n${out}")
endif()
