#!/usr/bin/env bash
# Set-up, build, and every test; then the core tests again under AddressSanitizer + UBSan.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
bash scripts/build.sh build/release
(cd build/release && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j "$(nproc)")
bash scripts/build.sh build/asan -DTAVRO_SANITIZE=ON -DTAVRO_BUILD_UI=OFF -DTAVRO_BUILD_BENCH=OFF -DCMAKE_BUILD_TYPE=Debug
(cd build/asan && ASAN_OPTIONS=detect_leaks=0 UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1 ctest --output-on-failure -j "$(nproc)")
