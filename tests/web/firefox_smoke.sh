#!/bin/sh
# usage: firefox_smoke.sh PAGE OUT.png
# Firefox ESR opens the page from file:// headless and takes a screenshot: the page loads and
# lays out in Firefox (the browser test drives Chromium). Skipped (status 77) with the reason
# when Firefox ESR or the page is missing.
page="$1"
out="$2"
if ! command -v firefox-esr >/dev/null 2>&1; then
  echo "skipped: firefox-esr is not installed (scripts/install-deps web)"
  exit 77
fi
if [ ! -f "$page" ]; then
  echo "skipped: $page is not built (scripts/install-deps web && scripts/web)"
  exit 77
fi
profile=$(mktemp -d)
trap 'rm -rf "$profile"' EXIT
mkdir -p "$(dirname "$out")"
rm -f "$out"
HOME="$profile" timeout 180 firefox-esr --headless --no-remote --profile "$profile" \
  --window-size=1300,1000 --screenshot "$out" "file://$(realpath "$page")" >"$profile/log" 2>&1
status=$?
# A PNG of the page: the signature, and more than an empty window's bytes.
if [ "$status" -ne 0 ] || [ ! -f "$out" ] || [ "$(head -c 8 "$out" | od -An -tx1 | tr -d ' \n')" != "89504e470d0a1a0a" ] ||
  [ "$(wc -c <"$out")" -lt 20000 ]; then
  echo "firefox-esr did not take a screenshot of the page (status $status):"
  tail -20 "$profile/log"
  exit 1
fi
echo "firefox-esr: $out, $(wc -c <"$out") bytes"
