# JPEG probe benchmark: a generator of camera-like photos and the probes over a list of them.
add_executable(jpeg_bench_generate jpeg_generate.cpp ${PROJECT_SOURCE_DIR}/tests/support/JpegFixtures.cpp)
target_include_directories(jpeg_bench_generate PRIVATE ${PROJECT_SOURCE_DIR})
target_link_libraries(jpeg_bench_generate PRIVATE Qt6::Core JPEG::JPEG ZLIB::ZLIB)
vx_warnings(jpeg_bench_generate)

add_executable(jpeg_bench_probe jpeg_probe.cpp)
target_link_libraries(jpeg_bench_probe PRIVATE vx_imaging)
vx_warnings(jpeg_bench_probe)
