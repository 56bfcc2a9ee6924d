# ZIP reader benchmark: a generator of the archives; the measured program is vxinspect itself.
add_executable(zip_make_archives ${CMAKE_CURRENT_LIST_DIR}/zip_make_archives.cpp)
target_link_libraries(zip_make_archives PRIVATE ZLIB::ZLIB)
vx_warnings(zip_make_archives)
