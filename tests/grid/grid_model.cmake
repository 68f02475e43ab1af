# The grid cell model.
vantric_add_test(grid_model_test
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/model/CGridCtrlTest.cpp
  LIBS vantric_grid_model)
