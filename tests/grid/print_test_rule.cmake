# The rule of the print tests that cannot reach a queue or poppler's tools: skipped, or failed
# under CI.
vantric_add_test(print_test_rule_test
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/gui/PrintTestRuleTest.cpp
  LIBS Qt6::Core)
