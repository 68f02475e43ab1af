# The grid's focus cell, selection, and cut, copy and paste of cells.
vantric_add_test(grid_focus_clipboard_test
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/gui/GridFocusClipboardTest.cpp
  LIBS vantric_grid vantric_app_model Qt6::Test)
