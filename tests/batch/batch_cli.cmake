# vantric-batch run as a program: dumps and refusals, the settings file; PDF and CUPS printing
# (read back with poppler's tools and CUPS queues, so on Linux).
set(batch_programs batch_cli_test)
if(NOT WIN32)
  list(APPEND batch_programs batch_print_test)
endif()
foreach(name ${batch_programs})
  if(name STREQUAL "batch_cli_test")
    set(source BatchCliTest.cpp)
  else()
    set(source BatchPrintTest.cpp)
  endif()
  vantric_add_test(${name}
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/${source} ${CMAKE_CURRENT_LIST_DIR}/BatchRunner.h
    LIBS Qt6::Core vantric_platform)
  add_dependencies(${name} vantric-batch)
  target_compile_definitions(${name} PRIVATE VANTRIC_BATCH_PATH="$<TARGET_FILE:vantric-batch>")
endforeach()
