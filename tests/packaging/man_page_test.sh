#!/usr/bin/env bash
# Every option a program's help names appears in its manual page.
# Usage: man_page_test.sh PROGRAM PAGE.1.gz HELP-OPTION
set -euo pipefail
program=$1 page=$2 help=$3

text=$(gzip -dc "$page" | sed -e 's/\\f[BIRP]//g' -e 's/\\-/-/g')
options=$(QT_QPA_PLATFORM=offscreen "$program" "$help" |
  grep -oE -- '(^|[ ,])--?[A-Za-z][A-Za-z0-9-]*' | tr -d ' ,' | sort -u)
missing=0
for option in $options; do
  if ! grep -qE -- "(^|[^A-Za-z0-9-])$option([^A-Za-z0-9-]|\$)" <<<"$text"; then
    echo "$(basename "$page") does not mention $option" >&2
    missing=1
  fi
done
exit $missing
