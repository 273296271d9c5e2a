# make demo   build, then check the bundled example and show where the reports went
# make test   build, then run every test
BUILD ?= build
SAN_BUILD ?= build-sanitize
JOBS ?= 2

.PHONY: all build demo test test-sanitize tools-check clean

all: build

tools-check:
	@./tools/check-tools.sh

$(BUILD)/Makefile: CMakeLists.txt | tools-check
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo

build: tools-check
	@cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
	cmake --build $(BUILD) -j $(JOBS)

demo: build
	@mkdir -p $(BUILD)/demo
	./$(BUILD)/vortel-dq --data examples/example.dat --fips examples/fips.lst \
	    --foster-care-report $(BUILD)/demo/freport.txt --adoption-report $(BUILD)/demo/areport.txt \
	    --state 01 --as-of "2026-12-08 09:00"
	@echo
	@echo "Foster Care report: $(BUILD)/demo/freport.txt"
	@echo "Adoption report:    $(BUILD)/demo/areport.txt"

test: build
	cd $(BUILD) && ctest --output-on-failure -j $(JOBS)

test-sanitize: tools-check
	@cmake -S . -B $(SAN_BUILD) -DCMAKE_BUILD_TYPE=Debug -DVORTEL_SANITIZE=ON >/dev/null
	cmake --build $(SAN_BUILD) -j $(JOBS)
	cd $(SAN_BUILD) && ctest --output-on-failure -j $(JOBS)

clean:
	rm -rf $(BUILD) $(SAN_BUILD)
