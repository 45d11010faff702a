qv_bench(preview_watchers DEPS server_core benchmark::benchmark Threads::Threads)
target_include_directories(preview_watchers PRIVATE ${PROJECT_SOURCE_DIR}/server)
