#!/usr/bin/env bash
# The layering check must fail on a tree with an upward include and name the
# file and line. Argument: the layering check.
set -uo pipefail
here=$(dirname "$0")
if out=$("$1" "$here/upward/src"); then
  echo "the check passed a graph/ file that includes shell/tmainform.h"
  exit 1
fi
echo "$out"
grep -qF 'upward/src/graph/tupward.h:3: graph/ may not include "shell/tmainform.h"' <<<"$out"
