# What the print service's answers about a job mean: CUPS's attributes on Linux.
if(NOT WIN32)
  vantric_add_test(print_jobs_test
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/print_jobs/CupsJobStateTest.cpp
    LIBS vantric_platform)
endif()
