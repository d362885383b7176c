# zelmar-audio-bench: cost of mixing in the device callback and of MP3 decoding.
find_package(benchmark REQUIRED)
add_executable(zelmar-audio-bench zelmar-audio-bench/main.cpp)
target_link_libraries(zelmar-audio-bench PRIVATE zelmar_audio benchmark::benchmark)
