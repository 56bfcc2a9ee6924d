# The page-1 scan's walk on the real window (offscreen), for walk_process_ratio_vs_find.
add_executable(bench_walk ${CMAKE_CURRENT_LIST_DIR}/bench_walk.cpp)
target_include_directories(bench_walk PRIVATE ${PROJECT_SOURCE_DIR})
target_link_libraries(bench_walk PRIVATE vx_app)
