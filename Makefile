# Two commands do everything on a fresh Debian machine:
#   make play   install what is missing, build, start the game
#   make test   install what is missing, build, run every test headlessly

DEBIAN_PACKAGES := cmake make g++ pkg-config clang libclang-rt-14-dev \
	googletest libgtest-dev libbenchmark-dev \
	libsdl2-dev libfreetype-dev libpng-dev zlib1g-dev libxxhash-dev \
	mingw-w64 xvfb xauth xdotool x11-utils imagemagick libx11-dev libxtst-dev
# qz370-replay --gif
DEBIAN_PACKAGES += libgif-dev

JOBS ?= $(shell nproc)
CMAKE_FLAGS := -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQZ370_WERROR=ON

.PHONY: play test desktop-test deps build build-asan cross fuzz check check-asan bench clean test-windows dist-windows \
	web-cmake web serve-web web-test node-test

play: build
	./build/vortaline

test: build build-asan cross fuzz desktop-test web-test node-test
	cd build && ctest --output-on-failure -j $(JOBS) -LE desktop
	cd build-asan && ctest --output-on-failure -j $(JOBS) -LE desktop

# The game in real windows on a virtual X server, one test at a time.
desktop-test: build
	cd build && xvfb-run -a -s "-screen 0 1024x768x24 -nolisten tcp" \
		env QZ370_DESKTOP_TESTS=1 ctest --output-on-failure -L desktop

deps:
	@missing=$$(for p in $(DEBIAN_PACKAGES); do dpkg-query -W -f='$${Status}\n' $$p 2>/dev/null | grep -q 'install ok installed' || echo $$p; done); \
	if [ -n "$$missing" ]; then \
		if [ "$$(id -u)" = 0 ]; then \
			echo "Installing:" $$missing; \
			apt-get update -qq && DEBIAN_FRONTEND=noninteractive apt-get install -y -qq $$missing; \
		else \
			echo "Missing Debian packages (run as root or install them):" $$missing; exit 1; \
		fi; \
	fi

build: deps
	cmake -S . -B build $(CMAKE_FLAGS)
	cmake --build build -j $(JOBS)

build-asan: deps
	cmake -S . -B build-asan $(CMAKE_FLAGS) -DQZ370_SANITIZE=ON
	cmake --build build-asan -j $(JOBS)

# The library, the game and the examples must keep building against the real <windows.h>.
cross: deps
	cmake -S . -B build-mingw -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64.cmake -DCMAKE_BUILD_TYPE=Release -DQZ370_WERROR=ON
	cmake --build build-mingw -j $(JOBS)

# The Windows build on the real USER32 and GDI32, under Wine in a throw-away
# prefix; not part of `make test`. qz370-render draws the GDI corpus, the game
# plays the demo script, the library's tests run, and examples built from the
# zip's files alone start and close; test_windows then compares the pictures
# and the call log with the references and our platform.
WINE_RESULTS := build-mingw/wine-results
FROM_ZIP := build-mingw/from-zip
test-windows: DEBIAN_PACKAGES += wine64 unzip

test-windows: dist-windows
	cmake --build build-mingw -j $(JOBS) --target qz370-render vortaline-playback test_library_windows
	cmake -S . -B build $(CMAKE_FLAGS)
	cmake --build build -j $(JOBS) --target qz370-replay test_windows
	tests/windows/build_from_zip.sh $(DIST_WINDOWS).zip $(FROM_ZIP)
	tests/windows/run_under_wine.sh build-mingw $(WINE_RESULTS) $(FROM_ZIP)/*.exe
	QZ370_WINE_RESULTS=$(CURDIR)/$(WINE_RESULTS) build/tests/windows/test_windows

# A zip for Windows users: the game; for building programs on the library
# with MinGW-w64 the header, the static library, its CMake package and
# qz370.pc, as `cmake --install` lays them out; and the examples' sources.
DIST_WINDOWS := build-mingw/vortaline-windows
dist-windows: DEBIAN_PACKAGES += zip

dist-windows: cross
	rm -rf $(DIST_WINDOWS) $(DIST_WINDOWS).zip
	cmake --install build-mingw --prefix $(DIST_WINDOWS)
	cp build-mingw/vortaline.exe dist/windows/README.txt $(DIST_WINDOWS)/
	mkdir -p $(DIST_WINDOWS)/examples
	cp examples/CMakeLists.txt examples/*.cpp examples/*.c examples/*.scr $(DIST_WINDOWS)/examples/
	cd build-mingw && zip -qr vortaline-windows.zip vortaline-windows
	@echo "dist-windows: $(DIST_WINDOWS).zip"

# The script readers take files from anywhere, and the drawing calls any
# arguments: fuzz them for a bounded time. New inputs go to the build
# directory; fuzz/corpus holds the seeds. Each of the three targets runs this
# long: about 45 s in all.
FUZZ_SECONDS ?= 15
# One input that runs longer than this is a hang, kept and reported as a crash.
FUZZ_INPUT_SECONDS ?= 60

fuzz: deps
	cmake -S fuzz -B build-fuzz -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo
	cmake --build build-fuzz -j $(JOBS)
	for target in script_reader number_reader drawing_calls; do \
		mkdir -p build-fuzz/corpus/$$target build-fuzz/artifacts && \
		build-fuzz/fuzz_$$target -max_total_time=$(FUZZ_SECONDS) -timeout=$(FUZZ_INPUT_SECONDS) -print_final_stats=1 \
			-artifact_prefix=build-fuzz/artifacts/ build-fuzz/corpus/$$target fuzz/corpus/$$target || exit 1; \
	done

# Speed is measured on an optimised build, inlined across files, and beside
# it the page's build of the game under node. Start-up is timed on a whole
# process that replays a single tick.
bench: DEBIAN_PACKAGES += hyperfine python3
bench: deps web
	cmake -S . -B build-release -DCMAKE_BUILD_TYPE=Release -DQZ370_WERROR=ON
	cmake --build build-release -j $(JOBS)
	for b in build-release/benchmarks/bench_*; do $$b; done
	hyperfine -N --warmup 3 --runs 50 --export-json build-release/start-up.json \
		'build-release/tools/qz370-replay/qz370-replay --script benchmarks/one_tick.scr --quiet'
	@python3 -c 'import json; r = json.load(open("build-release/start-up.json"))["results"][0]; print("start-up, median: %.1f ms" % (1000 * r["median"]))'

# The game and the examples as web pages in build-web/site/, built with
# Debian's emscripten. FreeType comes from Debian's source package, fetched
# through a source list of the build's own, made from the machine's Debian
# archives (which stay as they are), built with emcc once and kept in
# build-web/.
WEB := build-web
WEB_PACKAGES := emscripten dpkg-dev
test web web-test node-test bench: DEBIAN_PACKAGES += $(WEB_PACKAGES)
test web-test: DEBIAN_PACKAGES += chromium
# Node from outside Debian does not look where Debian keeps emcc's acorn.
WEB_ENV := NODE_PATH=/usr/share/nodejs
WEB_APT := -o Dir::Etc::SourceList=$(CURDIR)/$(WEB)/apt/sources.list -o Dir::Etc::SourceParts=$(CURDIR)/$(WEB)/apt/parts \
	-o Dir::State::Lists=$(CURDIR)/$(WEB)/apt/lists -o Dir::Cache=$(CURDIR)/$(WEB)/apt/cache \
	-o APT::Sandbox::User=root
WEB_FREETYPE := $(WEB)/freetype/lib/libfreetype.a
WEB_SITE := $(WEB)/site
WEB_PAGES := index shapes bouncing_ball sketch greeting
WEB_PORT ?= 8370

$(WEB_FREETYPE):
	mkdir -p $(WEB)/apt/parts $(WEB)/apt/lists/partial $(WEB)/apt/cache/archives/partial $(WEB)/src
	touch $(WEB)/apt/sources.list
	[ ! -f /etc/apt/sources.list ] || sed -n 's/^deb \(.*debian.*\)/deb-src \1/p' /etc/apt/sources.list > $(WEB)/apt/sources.list
	for list in /etc/apt/sources.list.d/*.sources; do \
		! grep -q debian-archive-keyring "$$list" || { sed 's/^Types: deb$$/Types: deb-src/' "$$list"; echo; }; \
	done > $(WEB)/apt/parts/debian-src.sources
	[ -d $(WEB)/src/freetype-*/ ] || { apt-get $(WEB_APT) update -qq && cd $(WEB)/src && apt-get $(WEB_APT) source -qq freetype; }
	$(WEB_ENV) emcmake cmake -S $$(ls -d $(WEB)/src/freetype-*/ | head -1) -B $(WEB)/freetype-build \
		-DCMAKE_BUILD_TYPE=Release -DBUILD_SHARED_LIBS=OFF -DCMAKE_INSTALL_PREFIX=$(CURDIR)/$(WEB)/freetype \
		-DFT_DISABLE_ZLIB=ON -DFT_DISABLE_BZIP2=ON -DFT_DISABLE_PNG=ON -DFT_DISABLE_HARFBUZZ=ON -DFT_DISABLE_BROTLI=ON
	$(WEB_ENV) cmake --build $(WEB)/freetype-build -j $(JOBS)
	cmake --install $(WEB)/freetype-build

web-cmake: deps $(WEB_FREETYPE)
	$(WEB_ENV) emcmake cmake -S . -B $(WEB)/cmake -DCMAKE_BUILD_TYPE=Release -DQZ370_WERROR=ON \
		-DCMAKE_FIND_ROOT_PATH=$(CURDIR)/$(WEB)/freetype -DCMAKE_CROSSCOMPILING_EMULATOR=$$(command -v node)

web: web-cmake
	$(WEB_ENV) cmake --build $(WEB)/cmake -j $(JOBS)
	rm -rf $(WEB_SITE) && mkdir -p $(WEB_SITE)
	cp $(WEB)/cmake/index.html $(WEB)/cmake/vortaline.js $(WEB)/cmake/vortaline.wasm demo/vortaline.scr $(WEB_SITE)/
	for page in $(filter-out index,$(WEB_PAGES)); do \
		cp $(WEB)/cmake/examples/$$page.html $(WEB)/cmake/examples/$$page.js $(WEB)/cmake/examples/$$page.wasm $(WEB_SITE)/ || exit 1; \
	done
	@echo "web: $(WEB_SITE)/index.html"

# The pages in Debian's chromium, headless, driven by puppeteer-core (pinned
# in tests/web/package-lock.json): the game, a script played from a link to
# the frame qz370-replay draws natively, a run recorded in the page replayed
# natively to its last frame, and an example's line-input dialog.
WEB_REPLAY_PNG := $(WEB)/demo-last-frame.png

web-test: web build
	build/tools/qz370-replay/qz370-replay --script demo/vortaline.scr --png $(WEB_REPLAY_PNG)
	command -v npm >/dev/null || DEBIAN_FRONTEND=noninteractive apt-get install -y -qq npm
	cd tests/web && npm ci --no-audit --no-fund --loglevel=error
	cd tests/web && QZ370_WEB_SITE=$(CURDIR)/$(WEB_SITE) QZ370_REPLAY_PNG=$(CURDIR)/$(WEB_REPLAY_PNG) \
		QZ370_REPLAY=$(CURDIR)/build/tools/qz370-replay/qz370-replay node --test browser_test.mjs

# The library's and the game's tests that need no display, built with emcc
# and run under node, one process per test as natively: 32-bit pointers and
# long, and wasm's own faults, caught outside the browser.
node-test: web-cmake
	$(WEB_ENV) cmake --build $(WEB)/cmake -j $(JOBS) --target test_library test_game
	cd $(WEB)/cmake && ctest --output-on-failure -j $(JOBS)

serve-web: web
	@echo "Serving $(WEB_SITE) at http://127.0.0.1:$(WEB_PORT)/ (Ctrl+C stops)"
	cd $(WEB_SITE) && python3 -m http.server $(WEB_PORT) --bind 127.0.0.1

clean:
	rm -rf build build-asan build-mingw build-fuzz build-release build-web
