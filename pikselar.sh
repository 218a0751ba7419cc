#!/bin/sh
# The quick start on a bare Debian 12: brings `make` when it is missing, then
# runs `make run` or `make test`, which install the rest and build.
#   sh ./pikselar.sh run      builds and starts the editor
#   sh ./pikselar.sh test     builds and runs the ctest suite
set -eu
cd "$(dirname "$0")"

if [ $# -eq 0 ]; then
  echo "usage: sh $0 run|test" >&2
  exit 2
fi

if ! command -v make >/dev/null 2>&1; then
  if [ "$(id -u)" -eq 0 ]; then
    as_root=
  elif command -v sudo >/dev/null 2>&1; then
    as_root=sudo
  else
    echo "$0: make is missing, and installing it needs root or sudo" >&2
    exit 1
  fi
  echo "Installing: make"
  $as_root env DEBIAN_FRONTEND=noninteractive apt-get update -qq
  $as_root env DEBIAN_FRONTEND=noninteractive \
    apt-get install -y -qq --no-install-recommends make >/dev/null
fi

exec make "$@"
