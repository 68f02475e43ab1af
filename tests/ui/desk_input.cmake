# The operator's keyboard, focus and dialogs as a desk meets them.
vantric_add_qtest(ui_desk_input_tests
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/DeskInputTest.cpp ${CMAKE_CURRENT_LIST_DIR}/TestDoubles.h
  LIBS vantric_ui)
