# The settings records, the settings file operations and the overweight sheet.
vantric_add_test(settings_tests
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/settings/RecordsTest.cpp
          ${CMAKE_CURRENT_LIST_DIR}/settings/SettingsFileTest.cpp
          ${CMAKE_CURRENT_LIST_DIR}/settings/BuildOverweightSheetTest.cpp
  LIBS vantric_app_model vantric_platform)
target_include_directories(settings_tests PRIVATE ${CMAKE_CURRENT_LIST_DIR}/../platform/profile)
