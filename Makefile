# discmenu: the start-up menu of a product installation disc.
# make deps | make test | make disc | make demo   (see README.md)

BUILD   := build
NATIVE  := $(BUILD)/native
MINGW   := $(BUILD)/mingw
JOBS    ?= $(shell nproc)

# Every Debian package that the build and the tests need.
PACKAGES := cmake make g++ googletest libgtest-dev g++-mingw-w64-x86-64 mingw-w64-tools \
            binutils-mingw-w64-x86-64 wine wine64 xvfb xauth xdotool x11-utils openbox imagemagick python3

.PHONY: all deps configure native mingw disc test demo clean

all: native mingw

deps:
	@missing=""; \
	for p in $(PACKAGES); do \
	    dpkg-query -W -f='$${Status}\n' $$p 2>/dev/null | grep -q 'install ok installed' || missing="$$missing $$p"; \
	done; \
	if [ -n "$$missing" ]; then \
	    echo "Installing:$$missing"; \
	    sudo=""; [ "$$(id -u)" -eq 0 ] || sudo=sudo; \
	    $$sudo apt-get update -qq && \
	    DEBIAN_FRONTEND=noninteractive $$sudo apt-get install -y -qq --no-install-recommends $$missing; \
	fi

$(NATIVE)/CMakeCache.txt:
	cmake --preset native >/dev/null

$(MINGW)/CMakeCache.txt:
	cmake --preset mingw >/dev/null

native: deps $(NATIVE)/CMakeCache.txt
	cmake --build --preset native -j $(JOBS)

mingw: deps $(MINGW)/CMakeCache.txt
	cmake --build --preset mingw -j $(JOBS)

disc: mingw
	cmake --build --preset mingw --target disc

# One ctest run over both builds, so that a single summary closes the output.
test: native mingw disc
	@printf 'subdirs("native" "mingw")\n' > $(BUILD)/CTestTestfile.cmake
	cd $(BUILD) && ctest --output-on-failure -j $(JOBS)

# Shows the menu of the sample disc under Wine; without a display, saves build/demo/menu.png.
demo: disc
	disc/demo.sh

clean:
	rm -rf $(BUILD)
