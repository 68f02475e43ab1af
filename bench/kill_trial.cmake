# Kill-during-save trials of the settings file (a short run is part of the settings tests).
add_executable(settings_kill_trial ${CMAKE_CURRENT_LIST_DIR}/kill_trial/main.cpp
               ${CMAKE_CURRENT_LIST_DIR}/kill_trial/KillTrial.cpp)
target_link_libraries(settings_kill_trial PRIVATE vantric_app_model vantric_platform)
