# Profile (INI) files, drive-letter paths and the picture resources.
vantric_add_test(profile_tests
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/profile/ProfileTextTest.cpp
          ${CMAKE_CURRENT_LIST_DIR}/profile/ProfileFileTest.cpp
          ${CMAKE_CURRENT_LIST_DIR}/profile/ProfileIdentityTest.cpp
          ${CMAKE_CURRENT_LIST_DIR}/profile/DrivePathTest.cpp
          ${CMAKE_CURRENT_LIST_DIR}/profile/PictureTest.cpp
          ${CMAKE_CURRENT_LIST_DIR}/profile/TempDrives.h
  LIBS vantric_platform)
