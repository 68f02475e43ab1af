# vantric-batch --labels and --start-slot: the printed places read back with poppler's tools, on
# PDF files and a CUPS queue.
if(NOT WIN32)
  vantric_add_batch_test(batch_reprint_test BatchReprintTest.cpp)
endif()
