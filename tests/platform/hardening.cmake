# Settings files damaged or odd in the ways a desk meets them, and the inputs fuzzing found.
vantric_add_test(profile_hardening_tests
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/hardening/ProfileHardeningTest.cpp
  LIBS vantric_platform)
target_include_directories(profile_hardening_tests PRIVATE ${CMAKE_CURRENT_LIST_DIR}/profile)
