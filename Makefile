# discmenu: the start-up menu of a product installation disc.
# make deps | make test | make disc [BRAND=DIR] [DISC=DIR] | make demo [DISC=DIR]
# | make preview [DISC=DIR]
# | make check-disc [DISC=DIR] | make sign [DISC=DIR] CERT=FILE.pfx | make iso [DISC=DIR]
# | make bench | make fuzz [FUZZ_SECONDS=N]
# (see README.md)

BUILD   := build
LINUX   := $(BUILD)/linux
MINGW   := $(BUILD)/mingw
MINGW64 := $(BUILD)/mingw64
FUZZ    := $(BUILD)/fuzz
JOBS    ?= $(shell nproc)

# Whether the 32-bit program's runtime tests run here in full: only where the machine runs
# 32-bit x86 programs natively (32-bit Wine needs them) and DISCMENU_64BIT_ONLY is not set.
# Elsewhere the x86_64 build runs every runtime test, and the demo, the preview and the
# benchmark run the x86_64 program; where make deps set up QEMU's emulation of 32-bit programs,
# the 32-bit program runs a subset of its tests as well (tests/wine/if-i386-runs.sh). Evaluated
# where used, after make deps.
I386 = $(shell [ "$$(tools/setup/runs-i386.sh --how 2>/dev/null)" = native ] && echo yes)

# The brand folder the disc's program is built from (see README, "Your product's look"); none
# for the sample product's. A build made for another brand is configured again.
BRAND_DIR := $(if $(BRAND),$(abspath $(BRAND)))
BRANDED   = grep -qxF 'DISCMENU_BRAND_DIR:PATH=$(BRAND_DIR)' $(1)/CMakeCache.txt || \
            cmake --preset $(2) -DDISCMENU_BRAND_DIR:PATH=$(BRAND_DIR) >/dev/null

.PHONY: all deps configure linux mingw mingw64 disc sample-disc fuzz-build fuzz test demo preview \
        check-disc sign iso bench clean

all: linux mingw mingw64

# The Debian packages of the build and the tests, installed when missing (tools/setup/deps.sh).
deps:
	@tools/setup/deps.sh

$(LINUX)/CMakeCache.txt:
	cmake --preset linux >/dev/null

$(MINGW)/CMakeCache.txt:
	cmake --preset mingw >/dev/null

$(FUZZ)/CMakeCache.txt:
	cmake --preset fuzz >/dev/null

linux: deps $(LINUX)/CMakeCache.txt
	cmake --build --preset linux -j $(JOBS)

mingw: deps $(MINGW)/CMakeCache.txt
	@$(call BRANDED,$(MINGW),mingw)
	cmake --build --preset mingw -j $(JOBS)

# Configured at every run: it runs every test only where the 32-bit program cannot run.
mingw64: deps
	cmake --preset mingw64 -DDISCMENU_PROGRAM_CHECKS_ONLY=$(if $(I386),ON,OFF) \
	    -DDISCMENU_BRAND_DIR:PATH=$(BRAND_DIR) >/dev/null
	cmake --build --preset mingw64 -j $(JOBS)
	cmake --build --preset mingw64 --target disc

# The sample disc in build/disc, with the program built from BRAND; with DISC, only the program,
# put at the root of the author's disc folder DISC.
disc: $(if $(DISC),mingw,sample-disc)
	$(if $(DISC),cp $(MINGW)/Install.exe "$(DISC)/Install.exe")

sample-disc: mingw
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
# Its last lines say which program each group of tests ran against, and how
# (tools/setup/test-summary.sh).
test: linux mingw disc mingw64 fuzz-build
	@printf 'subdirs("linux" "mingw" "mingw64" "fuzz")\n' > $(BUILD)/CTestTestfile.cmake
	@(cd $(BUILD) && ctest --output-on-failure -j $(JOBS)); status=$$?; \
	tools/setup/test-summary.sh; exit $$status

# Shows the menu of the sample disc, or of a copy of DISC with the program built here at its
# root, under Wine; without a display, saves build/demo/menu.png.
demo: sample-disc $(if $(I386),,mingw64)
	disc/demo.sh $(DISC)

# Every page of a disc in every language as PNG files and a contact sheet in build/preview,
# drawn by the Install.exe just built; discmenu-check (Linux) tells it the pages. Without DISC,
# the sample disc; with DPI (DPI=192, say), drawn at that screen resolution.
preview: linux mingw $(if $(I386),,mingw64) $(if $(DISC),,disc)
	python3 tools/preview/preview.py "$(or $(DISC),$(BUILD)/disc)" --out $(BUILD)/preview \
		$(if $(DPI),--dpi $(DPI))

# What would go wrong with a disc's menu, read from its files by discmenu-check. Without DISC,
# the sample disc.
check-disc: linux $(if $(DISC),,disc)
	$(LINUX)/discmenu-check "$(or $(DISC),$(BUILD)/disc)"

# Signs Install.exe of a disc, and the programs PROGRAMS names (paths on the disc), with the
# certificate CERT (a .pfx file, its password in PASS): a SHA-1 signature with a nested SHA-256
# one, timestamped by the server TIMESTAMP (a URL) when given (tools/disc-image/sign.sh).
# Without DISC, the sample disc.
DISC_DIR = $(or $(DISC),$(BUILD)/disc)
SIGN = tools/disc-image/sign.sh $(if $(TIMESTAMP),--timestamp "$(TIMESTAMP)") "$(DISC_DIR)" \
       "$(CERT)" $(PROGRAMS)
sign: deps $(if $(DISC),,disc)
	@$(if $(CERT),$(SIGN),echo "make sign: give the certificate: CERT=file.pfx" >&2; exit 1)

# The disc image of a disc (ISO 9660 with Joliet, tools/disc-image/make-iso.sh), ISO or
# build/<folder>.iso, labelled LABEL or autorun.inf's label=; signed first when CERT is given.
# A disc that discmenu-check finds errors in is refused, unless FORCE=1.
iso: linux $(if $(DISC),,disc)
	@$(if $(CERT),$(SIGN))
	@tools/disc-image/make-iso.sh --check $(LINUX)/discmenu-check $(if $(LABEL),--label "$(LABEL)") \
	    $(if $(FORCE),--force) "$(DISC_DIR)" \
	    "$(or $(ISO),$(BUILD)/$(notdir $(patsubst %/,%,$(DISC_DIR))).iso)"

# Start-up, hover and memory figures of the menu against bare programs, under Wine and Xvfb on
# this machine (tools/bench). Not a test: it only reports.
bench: mingw disc $(if $(I386),,mingw64)
	python3 tools/bench/bench.py

clean:
	rm -rf $(BUILD)
