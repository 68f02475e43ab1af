# Page flips in the print preview of long sheets.
add_executable(preview_bench ${CMAKE_CURRENT_LIST_DIR}/preview/PreviewBench.cpp)
target_link_libraries(preview_bench PRIVATE vantric_grid vantric_app_model benchmark::benchmark)
