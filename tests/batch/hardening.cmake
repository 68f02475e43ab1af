# vantric-batch with a print queue that is stopped or refuses jobs, and with very long ticket
# lists.
if(NOT WIN32)
  vantric_add_batch_test(batch_hardening_test BatchHardeningTest.cpp)
endif()
