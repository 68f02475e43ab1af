# The print preview, its page-jump and margin dialogs.
vantric_add_test(grid_preview_geometry_test
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/preview/PreviewGeometryTest.cpp
  LIBS vantric_grid)
vantric_add_qtest(grid_preview_dialogs_test
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/preview/PreviewDialogsTest.cpp
  LIBS vantric_grid)
