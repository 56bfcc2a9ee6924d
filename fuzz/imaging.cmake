# JPEG probes: the segment walk over a buffer, the byte-wise file scan, and libjpeg's header read.
foreach(target stream file_scan scaled)
  vx_fuzz(fuzz_jpeg_${target}
    SOURCES fuzz_jpeg_${target}.cpp fuzz_jpeg_entries.cpp fuzz_jpeg_entries.h
    LINKS vx_imaging Qt6::Core)
endforeach()
