# Window framework: the pure rules (definition texts, fonts, input modes, scaling, bindings)
# under GoogleTest, the widgets under QTest with the framework's own application object.
vantric_add_test(ui_rules_tests
  SOURCES DefinitionTextTest.cpp FontAndInputTest.cpp FrameworkRulesTest.cpp
  LIBS vantric_ui)
vantric_add_qtest(ui_widget_tests
  SOURCES WidgetTestMain.cpp ControlsTest.cpp FormKeyboardTest.cpp ListViewTest.cpp
          DialogsTest.cpp StartUpTest.cpp MenuObjectTest.cpp FormFeaturesTest.cpp TestDoubles.h
  LIBS vantric_ui)
