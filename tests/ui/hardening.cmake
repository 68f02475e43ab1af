# Definition texts and font descriptions at the limits, and the inputs fuzzing found.
vantric_add_test(ui_hardening_tests
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/hardening/ParserHardeningTest.cpp
  LIBS vantric_ui vantric_grid_model)
