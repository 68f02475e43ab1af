# Profile (INI) files, drive-letter paths and the picture resources.
vantric_add_test(profile_tests
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/profile/ProfileTextTest.cpp
          ${CMAKE_CURRENT_LIST_DIR}/profile/ProfileFileTest.cpp
          ${CMAKE_CURRENT_LIST_DIR}/profile/ProfileIdentityTest.cpp
          ${CMAKE_CURRENT_LIST_DIR}/profile/WindowsProfileTest.cpp
          ${CMAKE_CURRENT_LIST_DIR}/profile/DrivePathTest.cpp
          ${CMAKE_CURRENT_LIST_DIR}/profile/PictureTest.cpp
          ${CMAKE_CURRENT_LIST_DIR}/profile/TempDrives.h
  LIBS vantric_platform)
target_compile_definitions(profile_tests PRIVATE
  VANTRIC_WINDOWS_PROFILE_DIR="${CMAKE_CURRENT_LIST_DIR}/profile/windows")
# The same steps through the platform's own profile service, where Wine and MinGW-w64 are
# installed (skipped elsewhere): the recorded answers must still be what it answers.
add_test(NAME profile_windows_oracle COMMAND ${PROJECT_SOURCE_DIR}/tools/profile-oracle/run.sh --check)
set_tests_properties(profile_windows_oracle PROPERTIES SKIP_RETURN_CODE 77 TIMEOUT 600)
