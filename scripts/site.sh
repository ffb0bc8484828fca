#!/usr/bin/env bash
# The browser page's build and its test tools, for scripts/web and
# scripts/test (sourced after scripts/deps.sh).
set -euo pipefail

OSTREVO_SITE_DIR=build/web

# The page's test tools from npm, as package-lock.json pins them:
# puppeteer-core and selenium-webdriver drive Debian's browsers and download
# none of their own (nor does anything else). Debian's Node comes
# without npm, which is a package of its own there (a Node from elsewhere
# brings its npm, and Debian's npm package cannot go beside it).
ostrevo_install_node_modules() {
  [ node_modules/.package-lock.json -nt package-lock.json ] && return 0
  command -v npm >/dev/null || (OSTREVO_PACKAGES=(npm) && ostrevo_install_missing)
  PUPPETEER_SKIP_DOWNLOAD=1 npm ci --no-audit --no-fund
}

# The core compiled to WebAssembly with the page's glue, assembled with the
# page's files, the manifest, the icons and the service worker into build/web/.
ostrevo_build_site() {
  cmake -S . -B build/site -DCMAKE_TOOLCHAIN_FILE="$PWD/cmake/emscripten.cmake" -DCMAKE_BUILD_TYPE=Release \
    -DOSTREVO_BUILD_UI=OFF -DOSTREVO_BUILD_TESTS=OFF -DOSTREVO_SITE_DIR="$PWD/$OSTREVO_SITE_DIR" >/dev/null
  cmake --build build/site --parallel "$(nproc)"
}
