qv_bench(giz_decode DEPS resources benchmark::benchmark)
target_compile_definitions(giz_decode PRIVATE QV_DEFAULT_PACK="${CMAKE_BINARY_DIR}/bin/gfx/data.pac")
