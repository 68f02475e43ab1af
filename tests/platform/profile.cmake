# Profile (INI) files, drive-letter paths and the picture resources. What a save meets differs:
# owners, modes and links on Linux (and the drives as folders); attributes, files held open and
# the machine's own drive letters on Windows.
set(profile_system_tests ${CMAKE_CURRENT_LIST_DIR}/profile/ProfileIdentityTest.cpp
                         ${CMAKE_CURRENT_LIST_DIR}/profile/DrivePathTest.cpp)
if(WIN32)
  set(profile_system_tests ${CMAKE_CURRENT_LIST_DIR}/profile/SaveOnWindowsTest.cpp)
endif()
vantric_add_test(profile_tests
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/profile/ProfileTextTest.cpp
          ${CMAKE_CURRENT_LIST_DIR}/profile/ProfileFileTest.cpp
          ${CMAKE_CURRENT_LIST_DIR}/profile/WindowsProfileTest.cpp
          ${CMAKE_CURRENT_LIST_DIR}/profile/PictureTest.cpp
          ${CMAKE_CURRENT_LIST_DIR}/profile/TempDrives.h
          ${profile_system_tests}
  LIBS vantric_platform)
target_compile_definitions(profile_tests PRIVATE
  VANTRIC_WINDOWS_PROFILE_DIR="${CMAKE_CURRENT_LIST_DIR}/profile/windows")
# The same steps through the platform's own profile service, where Wine and MinGW-w64 are
# installed (skipped elsewhere): the recorded answers must still be what it answers.
if(NOT WIN32)
  add_test(NAME profile_windows_oracle COMMAND ${PROJECT_SOURCE_DIR}/tools/profile-oracle/run.sh --check)
  set_tests_properties(profile_windows_oracle PROPERTIES SKIP_RETURN_CODE 77 TIMEOUT 600)
endif()
