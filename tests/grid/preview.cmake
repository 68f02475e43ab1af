# The print preview, its page-jump and margin dialogs.
vantric_add_test(grid_preview_geometry_test
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/preview/PreviewGeometryTest.cpp
  LIBS vantric_grid)
vantric_add_qtest(grid_preview_dialogs_test
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/preview/PreviewDialogsTest.cpp
  LIBS vantric_grid vantric_app_model)

# Not a test: saves a screenshot of the preview of a 12-carton sheet (run under xvfb-run).
add_executable(preview_screenshot ${CMAKE_CURRENT_LIST_DIR}/preview/PreviewScreenshot.cpp)
target_link_libraries(preview_screenshot PRIVATE vantric_grid vantric_app_model)
# Pages read back from PDFs and CUPS queues, keys from xdotool on Xvfb: Linux.
if(NOT WIN32)
  # The preview's pages against the printed ones, on a PDF file and on a CUPS queue.
  vantric_add_test(grid_preview_pages_test
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/preview/PreviewPagesTest.cpp
    LIBS vantric_grid vantric_app_model)
  # Keys and the mouse wheel in the preview, on a real X display (Xvfb, xdotool).
  add_executable(grid_preview_desktop_test ${CMAKE_CURRENT_LIST_DIR}/preview/PreviewDesktopTest.cpp)
  target_link_libraries(grid_preview_desktop_test PRIVATE vantric_grid vantric_app_model Qt6::Test)
  find_program(VANTRIC_UI_PYTHON3 python3)
  add_test(NAME grid_preview_desktop_test
    COMMAND ${VANTRIC_UI_PYTHON3} ${CMAKE_SOURCE_DIR}/tests/ui/under_xvfb.py
            $<TARGET_FILE:grid_preview_desktop_test>)
  set_tests_properties(grid_preview_desktop_test PROPERTIES SKIP_RETURN_CODE 77 TIMEOUT 300)
endif()
