# The settings records, the settings file operations and the overweight sheet; on Linux also
# programs killed while they save (the trial forks them).
set(settings_kill_trial ${CMAKE_CURRENT_LIST_DIR}/settings/KillTrialTest.cpp
                        ${PROJECT_SOURCE_DIR}/bench/kill_trial/KillTrial.cpp)
if(WIN32)
  set(settings_kill_trial)
endif()
vantric_add_test(settings_tests
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/settings/RecordsTest.cpp
          ${CMAKE_CURRENT_LIST_DIR}/settings/SettingsFileTest.cpp
          ${CMAKE_CURRENT_LIST_DIR}/settings/BuildOverweightSheetTest.cpp
          ${settings_kill_trial}
  LIBS vantric_app_model vantric_platform)
target_include_directories(settings_tests PRIVATE ${CMAKE_CURRENT_LIST_DIR}/../platform/profile)
