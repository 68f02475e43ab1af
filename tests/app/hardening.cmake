# The main window with bad settings files, extreme margins and sizes, and a ticket list of ten
# thousand entries.
vantric_add_qtest(app_hardening_tests
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/hardening/WindowHardeningTest.cpp
          ${CMAKE_CURRENT_LIST_DIR}/windows/Dialogs.h
          ${CMAKE_CURRENT_LIST_DIR}/windows/MainWindowSupport.h
  LIBS vantric_app)
target_include_directories(app_hardening_tests PRIVATE ${CMAKE_CURRENT_LIST_DIR}/windows)
vantric_add_test(app_model_hardening_test
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/hardening/SheetBuildNotificationsTest.cpp
  LIBS vantric_app_model vantric_grid_model)
