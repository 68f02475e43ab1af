# The print command on queues where a print does not reach paper (Linux: the CUPS queues of
# tools/cups-setup.sh).
if(NOT WIN32)
  vantric_add_test(grid_print_outcome_test
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/gui/PrintOutcomeTest.cpp
    LIBS vantric_grid vantric_app_model
    PROPERTIES RESOURCE_LOCK vantric_outcome_queues)
endif()
