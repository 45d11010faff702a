qv_bench(frames DEPS net_transport benchmark::benchmark)
