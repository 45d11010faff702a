# Drawing cost of a Tumblix game tick and a Puzzle flight step, headless with
# the generated skin.
qv_bench(game_ticks DEPS shell platform_headless benchmark::benchmark)
if(TARGET game_ticks)
  target_compile_definitions(game_ticks PRIVATE QV_PROGRAM_DIR="${CMAKE_RUNTIME_OUTPUT_DIRECTORY}/")
endif()
