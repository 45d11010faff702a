# The two commands of the README.
.PHONY: run test

run:
	@scripts/build
	@scripts/run

test:
	@scripts/build
	@cd build && ctest -j 2 --output-on-failure
