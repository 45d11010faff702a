# The two commands of the README, and the fuzzing run (FUZZ_SECONDS per target).
.PHONY: run test fuzz
FUZZ_SECONDS ?= 60

run:
	@scripts/build quorvalendix quorvalendix-server skin launcher update_key
	@scripts/run

test:
	@scripts/build
	@cd build && ctest -j 2 --output-on-failure

fuzz:
	@scripts/fuzz $(FUZZ_SECONDS)
