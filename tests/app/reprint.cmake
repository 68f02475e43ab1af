# Reprints: the labels a choice of cells or a label list names, and the sheet made of them.
vantric_add_test(reprint_sheet_test
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/model/ReprintSheetTest.cpp
  LIBS vantric_app_model vantric_grid_model)
