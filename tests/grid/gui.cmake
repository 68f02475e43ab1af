# Drawing, pagination and printing of the grid.
vantric_add_test(grid_page_layout_test
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/gui/PageLayoutTest.cpp
  LIBS vantric_grid)
vantric_add_test(grid_cell_drawing_test
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/gui/CellDrawingTest.cpp
  LIBS vantric_grid)
vantric_add_test(grid_page_render_test
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/gui/PageRenderTest.cpp
  LIBS vantric_grid vantric_app_model)
vantric_add_test(grid_window_test
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/gui/GridWindowTest.cpp
  LIBS vantric_grid vantric_app_model Qt6::Test)
# Printed pages read back from PDFs and CUPS queues, and a desk whose CUPS knows no printer.
if(NOT WIN32)
  find_package(Cups REQUIRED)
  vantric_add_test(grid_print_job_test
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/gui/PrintJobTest.cpp
    LIBS vantric_grid vantric_app_model Cups::Cups)
  vantric_add_test(grid_no_printer_test
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/gui/NoPrinterTest.cpp
    LIBS vantric_grid vantric_app_model)
endif()
