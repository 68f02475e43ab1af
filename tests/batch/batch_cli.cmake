# vantric-batch run as a program: arguments in, JSON or a refusal out.
vantric_add_test(batch_cli_test
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/BatchCliTest.cpp
  LIBS Qt6::Core)
add_dependencies(batch_cli_test vantric-batch)
target_compile_definitions(batch_cli_test PRIVATE VANTRIC_BATCH_PATH="$<TARGET_FILE:vantric-batch>")
