# The two commands of the README.
.PHONY: run test

run:
	@scripts/build quorvalendix quorvalendix-server skin
	@scripts/run

test:
	@scripts/build
	@cd build && ctest -j 2 --output-on-failure
