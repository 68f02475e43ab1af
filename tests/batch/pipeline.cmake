# vantric-batch in pipelines: --from files and pipes, --pages, --copies, progress on a terminal.
# Terminals (pseudo-terminals) and pages read back with poppler's tools: Linux.
if(NOT WIN32)
  vantric_add_test(batch_pipeline_test
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/BatchPipelineTest.cpp ${CMAKE_CURRENT_LIST_DIR}/BatchRunner.h
    LIBS Qt6::Core vantric_platform)
  add_dependencies(batch_pipeline_test vantric-batch)
  target_compile_definitions(batch_pipeline_test PRIVATE
                             VANTRIC_BATCH_PATH="$<TARGET_FILE:vantric-batch>"
                             VANTRIC_VERSION="${PROJECT_VERSION}")
endif()
