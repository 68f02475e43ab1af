# The main window from the keyboard on a real X display: Xvfb with the xcb platform, input from
# xdotool (the desktop tests' runner and helpers of tests/ui).
if(NOT WIN32)
  add_executable(app_desk_keyboard_tests ${CMAKE_CURRENT_LIST_DIR}/windows/DeskKeyboardTest.cpp)
  target_link_libraries(app_desk_keyboard_tests PRIVATE vantric_app Qt6::Test)
  find_program(VANTRIC_UI_PYTHON3 python3)
  target_include_directories(app_desk_keyboard_tests PRIVATE ${CMAKE_CURRENT_LIST_DIR}/windows
                             ${CMAKE_CURRENT_LIST_DIR}/../ui)
  add_test(NAME app_desk_keyboard_tests
    COMMAND ${VANTRIC_UI_PYTHON3} ${CMAKE_CURRENT_LIST_DIR}/../ui/under_xvfb.py
            $<TARGET_FILE:app_desk_keyboard_tests>)
  set_tests_properties(app_desk_keyboard_tests PROPERTIES SKIP_RETURN_CODE 77 TIMEOUT 300)
endif()
