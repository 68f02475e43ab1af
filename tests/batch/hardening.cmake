# vantric-batch with a print queue that is stopped or refuses jobs, and with very long ticket
# lists.
if(NOT WIN32)
  vantric_add_test(batch_hardening_test
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/BatchHardeningTest.cpp ${CMAKE_CURRENT_LIST_DIR}/BatchRunner.h
    LIBS Qt6::Core vantric_platform)
  add_dependencies(batch_hardening_test vantric-batch)
  target_compile_definitions(batch_hardening_test PRIVATE
                             VANTRIC_BATCH_PATH="$<TARGET_FILE:vantric-batch>")
endif()
