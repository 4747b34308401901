# discmenu: the start-up menu of a product installation disc.
# make deps | make test | make disc | make demo | make preview [DISC=DIR]
# | make check-disc [DISC=DIR] | make bench | make fuzz [FUZZ_SECONDS=N]
# (see README.md)

BUILD   := build
NATIVE  := $(BUILD)/native
MINGW   := $(BUILD)/mingw
MINGW64 := $(BUILD)/mingw64
FUZZ    := $(BUILD)/fuzz
JOBS    ?= $(shell nproc)

# Every Debian package that the build and the tests need. Wine runs 32-bit programs with the
# i386 architecture's wine32; the Chinese font lets it draw Chinese texts on a Western system,
# and the tests run the menu under a Western and a Chinese locale, which must be generated.
# discmenu-check measures texts on Linux with Liberation Sans, which has Arial's metrics. The
# fuzz targets are built with clang and its libFuzzer and sanitizer runtimes; llvm-14 brings the
# symbolizer for their reports.
PACKAGES := cmake make g++ googletest libgtest-dev mingw-w64-tools \
            g++-mingw-w64-i686 binutils-mingw-w64-i686 g++-mingw-w64-x86-64 binutils-mingw-w64-x86-64 \
            wine wine64 wine32:i386 xvfb xauth xdotool x11-utils openbox imagemagick python3 \
            fonts-wqy-microhei fonts-liberation locales clang libclang-rt-14-dev llvm-14
LOCALES  := en_US.UTF-8 zh_CN.UTF-8

.PHONY: all deps configure native mingw mingw64 disc fuzz-build fuzz test demo preview check-disc bench clean

all: native mingw mingw64

deps:
	@sudo=""; [ "$$(id -u)" -eq 0 ] || sudo=sudo; \
	dpkg --print-foreign-architectures | grep -qx i386 || $$sudo dpkg --add-architecture i386; \
	missing=""; \
	for p in $(PACKAGES); do \
	    dpkg-query -W -f='$${Status}\n' $$p 2>/dev/null | grep -q 'install ok installed' || missing="$$missing $$p"; \
	done; \
	if [ -n "$$missing" ]; then \
	    echo "Installing:$$missing"; \
	    $$sudo apt-get update -qq && \
	    DEBIAN_FRONTEND=noninteractive $$sudo apt-get install -y -qq --no-install-recommends $$missing; \
	fi; \
	for l in $(LOCALES); do \
	    name=$$(echo $$l | sed 's/UTF-8/utf8/'); \
	    locale -a | grep -qx "$$name" && continue; \
	    $$sudo sed -i "s/^# *$$l UTF-8/$$l UTF-8/" /etc/locale.gen; \
	    grep -q "^$$l UTF-8" /etc/locale.gen || echo "$$l UTF-8" | $$sudo tee -a /etc/locale.gen >/dev/null; \
	    generate=1; \
	done; \
	if [ -n "$${generate:-}" ]; then $$sudo locale-gen >/dev/null; fi

$(NATIVE)/CMakeCache.txt:
	cmake --preset native >/dev/null

$(MINGW)/CMakeCache.txt:
	cmake --preset mingw >/dev/null

$(MINGW64)/CMakeCache.txt:
	cmake --preset mingw64 >/dev/null

$(FUZZ)/CMakeCache.txt:
	cmake --preset fuzz >/dev/null

native: deps $(NATIVE)/CMakeCache.txt
	cmake --build --preset native -j $(JOBS)

mingw: deps $(MINGW)/CMakeCache.txt
	cmake --build --preset mingw -j $(JOBS)

mingw64: deps $(MINGW64)/CMakeCache.txt
	cmake --build --preset mingw64 -j $(JOBS)
	cmake --build --preset mingw64 --target disc

disc: mingw
	cmake --build --preset mingw --target disc

fuzz-build: deps $(FUZZ)/CMakeCache.txt
	cmake --build --preset fuzz -j $(JOBS)

# Every fuzz target for FUZZ_SECONDS seconds, one after the other, from its seeds and the inputs
# earlier runs kept in build/fuzz/corpus (tests/fuzz/run-fuzzer.sh); then what each run did.
FUZZ_SECONDS ?= 60
fuzz: fuzz-build
	@rm -f $(FUZZ)/logs/*.summary
	@cd $(FUZZ) && FUZZ_SECONDS=$(FUZZ_SECONDS) FUZZ_KEEP_CORPUS=1 \
	    ctest -L fuzz --output-on-failure --timeout $$(( $(FUZZ_SECONDS) + 600 )); \
	    status=$$?; cat logs/*.summary 2>/dev/null; exit $$status

# One ctest run over the four builds, so that a single summary closes the output.
test: native mingw disc mingw64 fuzz-build
	@printf 'subdirs("native" "mingw" "mingw64" "fuzz")\n' > $(BUILD)/CTestTestfile.cmake
	cd $(BUILD) && ctest --output-on-failure -j $(JOBS)

# Shows the menu of the sample disc under Wine; without a display, saves build/demo/menu.png.
demo: disc
	disc/demo.sh

# Every page of a disc in every language as PNG files and a contact sheet in build/preview,
# drawn by the Install.exe just built; discmenu-check (native) tells it the pages. Without DISC,
# the sample disc.
preview: native mingw $(if $(DISC),,disc)
	python3 tools/preview/preview.py "$(or $(DISC),$(BUILD)/disc)" --out $(BUILD)/preview

# What would go wrong with a disc's menu, read from its files by discmenu-check. Without DISC,
# the sample disc.
check-disc: native $(if $(DISC),,disc)
	$(NATIVE)/discmenu-check "$(or $(DISC),$(BUILD)/disc)"

# Start-up, hover and memory figures of the menu against bare programs, under Wine and Xvfb on
# this machine (tools/bench). Not a test: it only reports.
bench: mingw disc
	python3 tools/bench/bench.py

clean:
	rm -rf $(BUILD)
