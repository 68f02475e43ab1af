# Drawing, pagination and printing of the grid.
vantric_add_test(grid_page_layout_test
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/gui/PageLayoutTest.cpp
  LIBS vantric_grid)
