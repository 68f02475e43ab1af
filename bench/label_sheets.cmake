# Building carton label sheets: time and heap per cell.
add_executable(label_sheets_bench ${CMAKE_CURRENT_LIST_DIR}/LabelSheetsBench.cpp)
target_link_libraries(label_sheets_bench PRIVATE vantric_app_model vantric_grid_model
                      benchmark::benchmark)
