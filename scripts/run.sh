#!/usr/bin/env bash
# Set-up, build, and start the editor on a scratch copy of the bundled sample world.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
bash scripts/build.sh build/release
world=build/sample-world
if [ ! -d "$world" ]; then
  mkdir -p "$world"
  cp -r sample/. "$world/"
fi
cd "$world"
exec ../release/tavroed "$@"
