# Print margins and cell sizes at the ends of the 32-bit range, as a settings file may hold them.
vantric_add_test(grid_hardening_test
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/hardening/ExtremeSizesTest.cpp
  LIBS vantric_grid vantric_app_model)
