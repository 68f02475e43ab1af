# vantric-batch run as a program: dumps and refusals, the settings file, PDF and CUPS printing.
foreach(name batch_cli_test batch_print_test)
  if(name STREQUAL "batch_cli_test")
    set(source BatchCliTest.cpp)
  else()
    set(source BatchPrintTest.cpp)
  endif()
  vantric_add_test(${name}
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/${source} ${CMAKE_CURRENT_LIST_DIR}/BatchRunner.h
    LIBS Qt6::Core)
  add_dependencies(${name} vantric-batch)
  target_compile_definitions(${name} PRIVATE VANTRIC_BATCH_PATH="$<TARGET_FILE:vantric-batch>")
endforeach()
