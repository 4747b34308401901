# discmenu: the start-up menu of a product installation disc.
# make deps | make test | make disc [BRAND=DIR] [DISC=DIR] | make demo [DISC=DIR]
# | make preview [DISC=DIR]
# | make check-disc [DISC=DIR] | make sign [DISC=DIR] CERT=FILE.pfx | make iso [DISC=DIR]
# | make bench | make fuzz [FUZZ_SECONDS=N] | make release
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

# One build of each program serves every brand: both are built with the sample product's look
# (a build configured with a brand folder before is configured again without it), and the
# brand folder BRAND (see AUTHORING.md, "Your product's look") is written into the disc's programs
# by discmenu-brand (tools/brand/brand-program.sh, under Wine). The 32-bit program is branded
# with the 32-bit tool where this machine runs it natively, with the x86_64 one elsewhere; the
# x86_64 program with the x86_64 one.
SAMPLE_LOOK = grep -qxF 'DISCMENU_BRAND_DIR:PATH=' $(1)/CMakeCache.txt || \
              cmake --preset $(2) -DDISCMENU_BRAND_DIR:PATH= >/dev/null
BRAND_TOOL32 = $(if $(I386),$(MINGW),$(MINGW64))/discmenu-brand.exe
BRAND_TOOL64 = $(MINGW64)/discmenu-brand.exe
# The brand written into the program $(2) (a shell word) with the tool $(1), when BRAND is given.
BRAND_PROGRAM = $(if $(call given,BRAND),tools/brand/brand-program.sh $(1) $(call quoted,BRAND) $(2))
# The x86_64 build, for the tool where the 32-bit one does not run here.
BRAND_TOOL_BUILD = $(if $(call given,BRAND),$(if $(I386),,mingw64))

# A make variable's value as one argument of a shell command, exactly as it was given: in single
# quotes (a single quote in it written as '\''), and not expanded by make, so that nothing in it
# (a back-quote, $(...)) ever runs. The values a user gives the disc's targets go to the
# commands only this way; they are kept out of the commands' environment, which make would
# fill with their expanded values.
quoted = '$(subst ','\'',$(value $(1)))'
given  = $(if $(value $(1)),yes)
unexport BRAND CERT DISC LABEL TIMESTAMP PROGRAMS ISO PASS_FILE

.PHONY: all deps configure linux mingw mingw64 program64 disc sample-disc fuzz-build fuzz test demo preview \
        check-disc sign iso bench release clean

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
	@$(call SAMPLE_LOOK,$(MINGW),mingw)
	cmake --build --preset mingw -j $(JOBS)

# Configured at every run: it runs every test only where the 32-bit program cannot run.
CONFIGURE64 = cmake --preset mingw64 -DDISCMENU_PROGRAM_CHECKS_ONLY=$(if $(I386),ON,OFF) \
	    -DDISCMENU_BRAND_DIR:PATH= >/dev/null
mingw64: deps
	$(CONFIGURE64)
	cmake --build --preset mingw64 -j $(JOBS)
	cmake --build --preset mingw64 --target disc
	$(call BRAND_PROGRAM,$(BRAND_TOOL64),$(BUILD)/disc64/Install.exe)

# The x86_64 program of a mingw64 build made before, and its disc, built again and given the
# same brand as the disc's program, so that neither keeps an older brand; nothing where there
# is no such build yet.
program64: deps
	$(if $(wildcard $(MINGW64)/CMakeCache.txt),$(CONFIGURE64))
	$(if $(wildcard $(MINGW64)/CMakeCache.txt),cmake --build --preset mingw64 -j $(JOBS) \
	    --target disc discmenu-brand)
	$(if $(wildcard $(MINGW64)/CMakeCache.txt),$(call BRAND_PROGRAM,$(BRAND_TOOL64),$(BUILD)/disc64/Install.exe))

# The sample disc in build/disc, its program given the brand BRAND; with DISC, only the program,
# put at the root of the author's disc folder DISC and given the brand there. The x86_64
# program follows the same brand.
disc: $(if $(call given,DISC),mingw $(BRAND_TOOL_BUILD),sample-disc) program64
	$(if $(call given,DISC),cp $(MINGW)/Install.exe $(call quoted,DISC_INSTALL))
	$(if $(call given,DISC),$(call BRAND_PROGRAM,$(BRAND_TOOL32),$(call quoted,DISC_INSTALL)))

sample-disc: mingw $(BRAND_TOOL_BUILD)
	cmake --build --preset mingw --target disc
	$(call BRAND_PROGRAM,$(BRAND_TOOL32),$(BUILD)/disc/Install.exe)

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
	disc/demo.sh $(if $(call given,DISC),$(call quoted,DISC))

# Every page of a disc in every language as PNG files and a contact sheet in build/preview;
# discmenu-check (Linux) tells it the pages. Without DISC, the sample disc; with DPI (DPI=192,
# say), drawn at that screen resolution. The disc's own Install.exe draws them where this
# machine runs it, else the one built here; with BRAND, the program make disc gave that brand
# (the disc's, or where 32-bit programs do not run natively, the x86_64 one of build/disc64).
PREVIEW_PROGRAM = $(if $(I386),$(call quoted,DISC_DIR)/Install.exe,$(BUILD)/disc64/Install.exe)
preview: linux mingw $(if $(I386),,mingw64) $(if $(call given,DISC),$(if $(call given,BRAND),disc),disc)
	python3 tools/preview/preview.py $(call quoted,DISC_DIR) --out $(BUILD)/preview \
		$(if $(DPI),--dpi $(DPI)) $(if $(call given,BRAND),--program $(PREVIEW_PROGRAM))

# What would go wrong with a disc's menu, read from its files by discmenu-check. Without DISC,
# the sample disc. Warnings and notes leave the disc shippable; only errors fail
# (tools/check-disc/check-disc.sh).
check-disc: linux $(if $(call given,DISC),,disc)
	@tools/check-disc/check-disc.sh $(LINUX)/discmenu-check $(call quoted,DISC_DIR)

# Signs Install.exe of a disc, and the programs PROGRAMS names (paths on the disc), with the
# certificate CERT (a .pfx file; its password read from the file PASS_FILE, asked for at the
# terminal, or given in PASS): a SHA-1 signature with a nested SHA-256 one, timestamped by the
# server TIMESTAMP (a URL) when given (tools/disc-image/sign.sh). Without DISC, the sample disc.
# PASS reaches the script through the environment, as make gives it.
DISC_DIR     := $(if $(value DISC),$(value DISC),$(BUILD)/disc)
DISC_INSTALL := $(value DISC)/Install.exe
ISO_FILE     := $(if $(value ISO),$(value ISO),$(BUILD)/$(notdir $(patsubst %/,%,$(DISC_DIR))).iso)
SIGN = tools/disc-image/sign.sh $(if $(call given,TIMESTAMP),--timestamp $(call quoted,TIMESTAMP)) \
       $(if $(call given,PASS_FILE),--password-file $(call quoted,PASS_FILE)) \
       $(if $(call given,PROGRAMS),--programs $(call quoted,PROGRAMS)) \
       $(call quoted,DISC_DIR) $(call quoted,CERT)
sign: deps $(if $(call given,DISC),,disc)
	@$(if $(call given,CERT),$(SIGN),echo "make sign: give the certificate: CERT=file.pfx" >&2; exit 1)

# The disc image of a disc (ISO 9660 with Joliet, tools/disc-image/make-iso.sh), ISO or
# build/<folder>.iso, labelled LABEL or autorun.inf's label=; signed first when CERT is given.
# A disc that discmenu-check finds errors in is refused, unless FORCE=1.
iso: linux $(if $(call given,DISC),,disc)
	@$(if $(call given,CERT),$(SIGN))
	@tools/disc-image/make-iso.sh --check $(LINUX)/discmenu-check \
	    $(if $(call given,LABEL),--label $(call quoted,LABEL)) $(if $(FORCE),--force) \
	    $(call quoted,DISC_DIR) $(call quoted,ISO_FILE)

# The release kit for disc authors, build/release/discmenu.zip (or RELEASE_ZIP): the sample
# product's 32-bit Install.exe, discmenu-check.exe and discmenu-brand.exe, the sample brand
# folder and disc, and the documentation, in one folder discmenu/ (tools/release). Always the
# sample's program: a brand is written into it by discmenu-brand, from the kit.
RELEASE_ZIP ?= $(BUILD)/release/discmenu.zip
ifneq ($(value BRAND),)
release:
	@echo "make release: the kit carries the sample's program; leave BRAND out and brand the" \
	    "kit's Install.exe with its discmenu-brand.exe" >&2; exit 1
else
release: sample-disc
	python3 tools/release/make-release.py --out $(RELEASE_ZIP) --name discmenu \
	    --file $(MINGW)/Install.exe --file $(MINGW)/discmenu-check.exe \
	    --file $(MINGW)/discmenu-brand.exe --file README.md --file AUTHORING.md \
	    --folder brand=$(MINGW)/tools/artwork/images --folder disc=$(BUILD)/disc
endif

# Start-up, hover and memory figures of the menu against bare programs, under Wine and Xvfb on
# this machine (tools/bench). Not a test: it only reports.
bench: mingw disc $(if $(I386),,mingw64)
	python3 tools/bench/bench.py

clean:
	rm -rf $(BUILD)
