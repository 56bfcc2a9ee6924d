# The folder page's report runs (technical data, broken-photo finder) on the real main window, offscreen,
# timed as whole processes against Pillow (and identify) by run_reports.sh.
add_executable(reports_bench_run ${CMAKE_CURRENT_LIST_DIR}/reports_bench_run.cpp)
target_include_directories(reports_bench_run PRIVATE ${PROJECT_SOURCE_DIR})
target_link_libraries(reports_bench_run PRIVATE vx_reports_ui vx_app)
vx_warnings(reports_bench_run)

# The folder page's example run kept in its redraws: the longest spell without window events.
add_executable(redraw_pump ${CMAKE_CURRENT_LIST_DIR}/redraw_pump.cpp)
target_include_directories(redraw_pump PRIVATE ${PROJECT_SOURCE_DIR})
target_link_libraries(redraw_pump PRIVATE vx_folders_ui vx_app)
vx_warnings(redraw_pump)
