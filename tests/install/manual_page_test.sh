#!/usr/bin/env bash
# The manual page formats without a warning, and its NAME line is what whatis and apropos index.
# Usage: manual_page_test.sh PAGE
set -euo pipefail
page=$1
warnings=$(man --warnings -E UTF-8 -l "$page" 2>&1 >/dev/null)
if [ -n "$warnings" ]; then
    echo "$warnings"
    exit 1
fi
lexgrog "$page"
