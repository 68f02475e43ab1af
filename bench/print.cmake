# Rendering pages of large sheets and printing them to PDF.
add_executable(print_bench ${CMAKE_CURRENT_LIST_DIR}/print/PrintBench.cpp)
target_link_libraries(print_bench PRIVATE vantric_grid vantric_app_model benchmark::benchmark)
