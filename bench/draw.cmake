# Transparent and translucent drawing of a 100 × 100 sprite and DrawText of a
# chat line, at 16 and 32 bits per pixel.
qv_bench(draw DEPS graphics resources shell_timers platform_headless benchmark::benchmark)
