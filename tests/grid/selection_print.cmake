# The print command printing the chosen cells alone (PDFs read back with poppler's tools).
if(NOT WIN32)
  vantric_add_test(grid_selection_print_test
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/gui/SelectionPrintTest.cpp
    LIBS vantric_grid)
endif()
