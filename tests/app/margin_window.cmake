# The margin settings window on a settings file of its own, under QTest.
vantric_add_qtest(app_margin_window_test
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/margin_window/MarginWindowTest.cpp
  LIBS vantric_app)
target_include_directories(app_margin_window_test PRIVATE ${CMAKE_CURRENT_LIST_DIR}/windows)
