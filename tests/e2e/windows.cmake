# The Windows build as a desk gets it, under Wine: the person's run on the installed program and
# vantric-batch.exe's PDFs against the Linux build's. python3 runs both itself (they drive Wine,
# they do not run under it).

# The installer is made by the suite, so that the run installs what `./dev windows` ships.
add_test(NAME windows_installer
  COMMAND ${CMAKE_COMMAND} --build ${CMAKE_BINARY_DIR} --target installer)
set_tests_properties(windows_installer PROPERTIES FIXTURES_SETUP windows_setup TIMEOUT 600)

# The Windows profile service's own reading of the settings file; linked whole, since the prefix
# it runs in has no MinGW runtime on its path.
add_executable(profile_oracle ${PROJECT_SOURCE_DIR}/tools/profile-oracle/oracle.cpp)
target_link_options(profile_oracle PRIVATE -static)

add_test(NAME e2e_windows_person_run
  COMMAND ${VANTRIC_PYTHON3} ${CMAKE_CURRENT_SOURCE_DIR}/windows_person_run.py
    --setup ${CMAKE_BINARY_DIR}/Vantric-${PROJECT_VERSION}-setup.exe
    --version ${PROJECT_VERSION}
    --oracle $<TARGET_FILE:profile_oracle>
    --make-prefix ${PROJECT_SOURCE_DIR}/tools/windows/make-prefix.sh
    --artifacts ${CMAKE_BINARY_DIR}/test-artifacts/windows-person-run
    --cups-setup ${PROJECT_SOURCE_DIR}/tools/cups-setup.sh)
# 77: no X server or no CUPS could be started.
set_tests_properties(e2e_windows_person_run PROPERTIES
  FIXTURES_REQUIRED windows_setup SKIP_RETURN_CODE 77 TIMEOUT 600)

# The same sheets from both builds' vantric-batch. ./dev windows builds the Linux one in build/.
set(VANTRIC_LINUX_BATCH ${PROJECT_SOURCE_DIR}/build/bin/vantric-batch CACHE FILEPATH
    "The Linux build's vantric-batch, whose PDFs vantric-batch.exe must match")
add_test(NAME e2e_windows_batch_pdf
  COMMAND ${VANTRIC_PYTHON3} ${CMAKE_CURRENT_SOURCE_DIR}/windows_batch_pdf.py
    --linux-batch ${VANTRIC_LINUX_BATCH}
    --windows-batch $<TARGET_FILE:vantric-batch>
    --wine-run ${PROJECT_SOURCE_DIR}/tools/windows/wine-run.sh
    --artifacts ${CMAKE_BINARY_DIR}/test-artifacts/windows-batch-pdf)
set_tests_properties(e2e_windows_batch_pdf PROPERTIES TIMEOUT 600)

# The build's vantric.exe printing onto Wine's printer of the CUPS queue that rejects jobs,
# reading the box the window shows.
add_test(NAME e2e_windows_outcome_run
  COMMAND ${VANTRIC_PYTHON3} ${CMAKE_CURRENT_SOURCE_DIR}/windows_outcome_run.py
    --vantric $<TARGET_FILE:vantric>
    --wine-run ${PROJECT_SOURCE_DIR}/tools/windows/wine-run.sh
    --artifacts ${CMAKE_BINARY_DIR}/test-artifacts/windows-outcome-run
    --cups-setup ${PROJECT_SOURCE_DIR}/tools/cups-setup.sh)
# 77: no X server or no CUPS could be started.
set_tests_properties(e2e_windows_outcome_run PROPERTIES SKIP_RETURN_CODE 77 TIMEOUT 300
  RESOURCE_LOCK vantric_outcome_queues)
# Every printed page a whole label page or nothing, under Wine: the top margin at both sides of
# each point where the outcome changes, against the Linux build (--full sweeps 0 to 3000).
add_test(NAME e2e_windows_margin_sweep
  COMMAND ${VANTRIC_PYTHON3} ${CMAKE_CURRENT_SOURCE_DIR}/windows_margin_sweep.py
    --linux-batch ${VANTRIC_LINUX_BATCH}
    --windows-batch $<TARGET_FILE:vantric-batch>
    --wine-run ${PROJECT_SOURCE_DIR}/tools/windows/wine-run.sh)
# 77: no X server could be started.
set_tests_properties(e2e_windows_margin_sweep PROPERTIES SKIP_RETURN_CODE 77 TIMEOUT 600)
