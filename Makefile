# One entry point for people and CI. Every target installs the Debian packages it is missing
# (only those), configures once and builds with two jobs.

BUILD_DIR  ?= build
FUZZ_DIR   ?= build-fuzz
JOBS       ?= 2
FUZZ_SECONDS ?= 60
SUDO       := $(shell [ "$$(id -u)" = 0 ] || echo sudo)

DEB_PACKAGES := cmake ninja-build g++ ccache pkg-config \
	qt6-base-dev qt6-base-dev-tools libqt6sql6-sqlite libgl-dev \
	libgtest-dev libgmock-dev libbenchmark-dev fpc unrtf \
	libgettextpo-dev gettext poppler-utils \
	qt6-image-formats-plugins qt6-svg-dev
FUZZ_PACKAGES := clang libclang-rt-14-dev

.PHONY: all deps build test run bench fuzz fuzz-deps format clean

all: build

deps:
	@missing=""; for p in $(DEB_PACKAGES); do \
	  dpkg-query -W -f='$${Status}' $$p 2>/dev/null | grep -q "install ok installed" || missing="$$missing $$p"; \
	done; \
	if [ -n "$$missing" ]; then \
	  echo "Installing:$$missing"; \
	  $(SUDO) apt-get update -qq && DEBIAN_FRONTEND=noninteractive $(SUDO) apt-get install -y -qq $$missing; \
	fi

$(BUILD_DIR)/build.ninja: | deps
	cmake -S . -B $(BUILD_DIR) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo

build: deps $(BUILD_DIR)/build.ninja
	cmake --build $(BUILD_DIR) -j$(JOBS)

test: build
	cd $(BUILD_DIR) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j$(JOBS)

run: build
	./examples/run.sh $(BUILD_DIR)/bin

bench: build
	./bench/run.sh $(BUILD_DIR)/bin

fuzz-deps:
	@missing=""; for p in $(FUZZ_PACKAGES); do \
	  dpkg-query -W -f='$${Status}' $$p 2>/dev/null | grep -q "install ok installed" || missing="$$missing $$p"; \
	done; \
	if [ -n "$$missing" ]; then \
	  $(SUDO) apt-get update -qq && DEBIAN_FRONTEND=noninteractive $(SUDO) apt-get install -y -qq $$missing; \
	fi

fuzz: deps fuzz-deps
	cmake -S . -B $(FUZZ_DIR) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
	  -DCMAKE_CXX_COMPILER=clang++ -DQZ_FUZZ=ON -DQZ_BUILD_TESTS=OFF -DQZ_BUILD_BENCH=OFF
	cmake --build $(FUZZ_DIR) -j$(JOBS) --target fuzz_binary_form fuzz_text_form \
	  fuzz_form_file_text fuzz_package_file fuzz_form_scanner fuzz_mask_options fuzz_vars_json \
	  fuzz_unit_source fuzz_strings_files fuzz_rtf make_package_seeds
	./fuzz/run.sh $(FUZZ_DIR)/bin $(FUZZ_SECONDS)

format:
	git ls-files '*.cpp' '*.h' | xargs clang-format -i

clean:
	rm -rf $(BUILD_DIR) $(FUZZ_DIR)
