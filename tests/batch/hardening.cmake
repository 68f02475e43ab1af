# vantric-batch with print queues where a print does not reach paper, and with very long ticket
# lists.
if(NOT WIN32)
  # Its queues where prints fail are shared with the window's tests of the same; CUPS is asked
  # what it holds about them.
  find_package(Cups REQUIRED)
  vantric_add_batch_test(batch_hardening_test BatchHardeningTest.cpp
    Cups::Cups PROPERTIES RESOURCE_LOCK vantric_outcome_queues)
endif()
