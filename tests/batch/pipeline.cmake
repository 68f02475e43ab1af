# vantric-batch in pipelines: --from files and pipes, --pages, --copies, progress on a terminal.
# Terminals (pseudo-terminals) and pages read back with poppler's tools: Linux.
if(NOT WIN32)
  vantric_add_batch_test(batch_pipeline_test BatchPipelineTest.cpp)
endif()
