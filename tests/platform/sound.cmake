# The two beep kinds as the desk hears them: the desktop's event sounds, captured from ALSA.
if(NOT WIN32)
  vantric_add_test(beep_sound_test
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/sound/BeepSoundTest.cpp
    LIBS vantric_platform)
endif()
