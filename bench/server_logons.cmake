qv_bench(server_logons DEPS server_core benchmark::benchmark Threads::Threads)
target_include_directories(server_logons PRIVATE ${PROJECT_SOURCE_DIR}/server)
