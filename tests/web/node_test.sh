#!/bin/sh
# usage: node_test.sh NODE TEST.mjs
# Runs one node test of the page (built by scripts/web), or skips it (status 77) saying why.
node="$1"
test="$2"
if [ -z "$node" ] || [ ! -x "$node" ]; then
  echo "skipped: node is not installed (scripts/install-deps web)"
  exit 77
fi
if [ ! -f "$test" ]; then
  echo "skipped: $test is not built: install the web group and build the page" \
    "(scripts/install-deps web && scripts/web)"
  exit 77
fi
exec "$node" --test "$test"
