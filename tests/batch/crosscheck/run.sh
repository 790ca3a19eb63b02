#!/bin/sh
# Runs the independent cross-check of ormevak-batch: the model's worked examples, then the
# generated and hand-made analysis files, then generated action scripts. Needs a built
# build/src/ormevak-batch. Differences are printed one line per field.
set -u
here=$(cd "$(dirname "$0")/../../.." && pwd)
status=0
python3 "$here/tools/crosscheck.py" selftest || status=1
nice python3 "$here/tools/crosscheck.py" sweep --summary "$@" || status=1
nice python3 "$here/tools/crosscheck.py" actions --summary || status=1
exit $status
