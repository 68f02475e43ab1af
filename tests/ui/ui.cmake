# Window framework: the pure rules (definition texts, fonts, input modes, scaling, bindings)
# under GoogleTest, the widgets under QTest with the framework's own application object.
vantric_add_test(ui_rules_tests
  SOURCES DefinitionTextTest.cpp FontAndInputTest.cpp FrameworkRulesTest.cpp
  LIBS vantric_ui)
vantric_add_qtest(ui_widget_tests
  SOURCES WidgetTestMain.cpp ControlsTest.cpp FormKeyboardTest.cpp ListViewTest.cpp
          DialogsTest.cpp StartUpTest.cpp MenuObjectTest.cpp FormFeaturesTest.cpp TestDoubles.h
  LIBS vantric_ui)
# Keys, clicks and focus on a real X display: Xvfb with the xcb platform, input from xdotool.
if(NOT WIN32)
  add_executable(ui_desktop_tests DesktopTestMain.cpp ListViewDesktopTest.cpp FormDesktopTest.cpp
                 XDesk.h)
  target_link_libraries(ui_desktop_tests PRIVATE vantric_ui Qt6::Test)
  find_program(VANTRIC_UI_PYTHON3 python3)
  if(NOT VANTRIC_UI_PYTHON3)
    set(VANTRIC_UI_PYTHON3 python3)
  endif()
  add_test(NAME ui_desktop_tests
    COMMAND ${VANTRIC_UI_PYTHON3} ${CMAKE_CURRENT_SOURCE_DIR}/under_xvfb.py $<TARGET_FILE:ui_desktop_tests>)
  set_tests_properties(ui_desktop_tests PROPERTIES SKIP_RETURN_CODE 77 TIMEOUT 300)
endif()
