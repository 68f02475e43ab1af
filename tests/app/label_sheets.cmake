# Carton label sheet builders and the count rules.
vantric_add_test(label_sheets_test
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/model/LabelSheetBuildersTest.cpp
  LIBS vantric_app_model vantric_grid_model)
