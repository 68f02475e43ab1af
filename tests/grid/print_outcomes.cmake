# The print command on queues where a print does not reach paper: the CUPS queues of
# tools/cups-setup.sh, on Windows the printers Wine makes of them.
if(WIN32)
  # Prints through Wine's printer driver, which needs the Windows platform and a display.
  vantric_add_test(grid_print_outcome_test
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/gui/PrintOutcomeWineTest.cpp
            ${CMAKE_CURRENT_LIST_DIR}/gui/WindowsSystem.cpp
    LIBS vantric_grid vantric_app_model winspool
    PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=windows" RESOURCE_LOCK vantric_outcome_queues
               FIXTURES_REQUIRED vantric_outcome_jobs)
  # The job the stopped queue keeps goes, and the file cups-pdf wrote (CUPS's own tools, run
  # outside Wine).
  add_test(NAME print_outcome_jobs_cancelled
    COMMAND sh -c "cancel -a VantricOutcomeStopped; rm -f \"$HOME\"/PDF/vantricoutcomewine*")
  set_tests_properties(print_outcome_jobs_cancelled PROPERTIES FIXTURES_CLEANUP vantric_outcome_jobs)
else()
  vantric_add_test(grid_print_outcome_test
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/gui/PrintOutcomeTest.cpp
    LIBS vantric_grid vantric_app_model
    PROPERTIES RESOURCE_LOCK vantric_outcome_queues)
endif()
