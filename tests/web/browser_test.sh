#!/bin/sh
# Runs the page's test in headless Chromium (browser_test.py) with Debian's
# Python, which has python3-selenium, in a scratch folder that is also HOME,
# so the browser writes nothing into the real home.
# Usage: browser_test.sh SITE_DIR. Exit code 77 (skipped) where a tool is
# missing.
set -u

skip=77
python=/usr/bin/python3
[ -x "$python" ] || python=$(command -v python3 || true)
if [ -z "$python" ]; then
    echo "SKIP: python3 is not installed (tools/ensure_deps.sh installs it)"
    exit $skip
fi
work=$(mktemp -d "${TMPDIR:-/tmp}/qm_browser.XXXXXX")
trap 'rm -rf "$work"' EXIT
trap 'exit 1' INT TERM
HOME=$work XDG_CONFIG_HOME=$work/config XDG_CACHE_HOME=$work/cache timeout 360 \
    "$python" "$(dirname "$0")/browser_test.py" "$1" "$work"
