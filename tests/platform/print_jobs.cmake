# What the print service's answers about a job mean: CUPS's attributes on Linux, the spooler's
# status bits on Windows.
if(WIN32)
  vantric_add_test(print_jobs_test
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/print_jobs/SpoolerJobStateTest.cpp
    LIBS vantric_platform)
else()
  vantric_add_test(print_jobs_test
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/print_jobs/CupsJobStateTest.cpp
    LIBS vantric_platform)
endif()
