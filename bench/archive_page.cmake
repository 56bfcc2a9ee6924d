# Archive page benchmark: a generator of archive releases and the two runs on the real window.
add_executable(archive_page_generate ${CMAKE_CURRENT_LIST_DIR}/archive_page_generate.cpp
  ${PROJECT_SOURCE_DIR}/tests/support/JpegFixtures.cpp ${PROJECT_SOURCE_DIR}/tests/support/ZipWriter.cpp)
target_include_directories(archive_page_generate PRIVATE ${PROJECT_SOURCE_DIR})
target_link_libraries(archive_page_generate PRIVATE Qt6::Core JPEG::JPEG ZLIB::ZLIB)
vx_warnings(archive_page_generate)

add_executable(bench_archive_page ${CMAKE_CURRENT_LIST_DIR}/archive_page_bench.cpp)
target_include_directories(bench_archive_page PRIVATE ${PROJECT_SOURCE_DIR})
target_link_libraries(bench_archive_page PRIVATE vx_app)
vx_warnings(bench_archive_page)
