# vantric-batch run as a program: dumps and refusals, the settings file; PDF and CUPS printing
# (read back with poppler's tools and CUPS queues, so on Linux).
vantric_add_batch_test(batch_cli_test BatchCliTest.cpp)
if(NOT WIN32)
  vantric_add_batch_test(batch_print_test BatchPrintTest.cpp)
endif()
