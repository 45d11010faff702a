# How often the main thread wakes when idle and with one 10 ms timer
# (run through scripts/measure-idle).
qv_bench(idle_wakeups DEPS platform_sdl shell_timers)
