# Load driver for the real server (run through scripts/load-server).
qv_bench(server_load DEPS protocol)
