# The main window, its ticket list and menus, and the program's start, under QTest.
vantric_add_qtest(app_windows_tests
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/windows/WindowsTestMain.cpp
          ${CMAKE_CURRENT_LIST_DIR}/windows/MainWindowTest.cpp
          ${CMAKE_CURRENT_LIST_DIR}/windows/TicketListTest.cpp
          ${CMAKE_CURRENT_LIST_DIR}/windows/StartUpTest.cpp
          ${CMAKE_CURRENT_LIST_DIR}/windows/Dialogs.h
          ${CMAKE_CURRENT_LIST_DIR}/windows/MainWindowSupport.h
  LIBS vantric_app)
target_include_directories(app_windows_tests PRIVATE ${CMAKE_CURRENT_LIST_DIR}/windows)

# Not a test: takes a picture of the running main window (see the file).
add_executable(vantric_window_shot ${CMAKE_CURRENT_LIST_DIR}/windows/MainWindowShot.cpp)
target_link_libraries(vantric_window_shot PRIVATE vantric_app)
