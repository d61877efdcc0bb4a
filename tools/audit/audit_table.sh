#!/usr/bin/env bash
# Writes the audit of every input box of every window as one Markdown table:
#   tools/audit/audit_table.sh [BUILD_DIR] > table.md
set -euo pipefail
build=${1:-build}
table=$(mktemp)
trap 'rm -f "$table"' EXIT
programs=(isentropic planejump fanno rayleigh isodrag isoheat flowmenu atmosphere shock nozzle
          flowmarch thrustdeck shaftdeck kerosene bladerow thrustfit shaftfit stagemap ringflow)
for p in "${programs[@]}"; do
  [ -x "$build/bin/audit_$p" ] && "$build/bin/audit_$p" --table "$table" > /dev/null
done
cat <<'HEAD'
What each window gives when one input box holds a bad text and its compute button is pressed
(each case from the window as it opens; a box in a part of the window that opens hidden is first
shown by the option or list choice given beside it). A quoted text is the message under the
window; "results blank" says that the results of that computation were blanked; "results kept:"
lists results of earlier inputs left beside the message; "warning:" is a warning of the program's
own; "typing:" is what typing alone said before the button was pressed; "(hidden)" marks a box that
no single option or list choice shows, typed into as it stands.

| program | box (as messages name it) | control | empty | letters (abc) | 1e400 | 0 | -5 |
|---|---|---|---|---|---|---|---|
HEAD
cat "$table"
