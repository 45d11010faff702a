qv_bench(giz_decode DEPS resources benchmark::benchmark)
