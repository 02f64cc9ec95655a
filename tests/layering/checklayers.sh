#!/usr/bin/env bash
# Checks that every #include "..." under a source folder goes down the floors:
# a folder uses itself and the folders its row below names, nothing else, and
# the Qt-free folders include no Qt header. Prints FILE:LINE for each include
# that breaks this and fails. Argument: the src folder.
set -euo pipefail
src=${1%/}

# Who may include whom; a folder may always include its own files.
declare -A allowed=(
  [app]="shell platform/qt"
  [shell]="graph settings dialogs figures expr codecs platform platform/qt"
  [graph]="settings figures expr platform platform/qt"
  [dialogs]="settings figures expr platform platform/qt"
  [settings]="codecs figures expr platform platform/qt"
  [cli]="figures expr codecs platform platform/qt"
  [figures]="expr platform"
  [codecs]="expr"
  [expr]="platform"
  [platform]=""
  [platform/qt]="platform"
  [splash]=""
)
qtfree=" expr figures codecs platform "

# Upward includes not yet untangled, as FILE:HEADER (FILE relative to src/).
# Every entry must still occur, so the list can only shrink.
exceptions=(
)

# The floor of a path below src/: platform/qt is a floor of its own.
floor() {
  case $1 in
    platform/qt/*) echo platform/qt ;;
    */*) echo "${1%%/*}" ;;
    *) echo "" ;;
  esac
}

status=0
declare -A used=()
while IFS= read -r file; do
  rel=${file#"$src"/}
  from=$(floor "$rel")
  if [[ -z ${allowed[$from]+set} ]]; then
    echo "$file: folder '$from' has no row in the layering table"
    status=1
    continue
  fi
  lineno=0
  while IFS= read -r line || [[ -n $line ]]; do
    lineno=$((lineno + 1))
    if [[ $line =~ ^[[:space:]]*#[[:space:]]*include[[:space:]]*\"([^\"]+)\" ]]; then
      header=${BASH_REMATCH[1]}
      to=$(floor "$header")
      [[ -z $to || $to == "$from" ]] && continue
      [[ " ${allowed[$from]} " == *" $to "* ]] && continue
      key="$rel:$header"
      if [[ " ${exceptions[*]} " == *" $key "* ]]; then
        used[$key]=1
        continue
      fi
      echo "$file:$lineno: $from/ may not include \"$header\""
      status=1
    elif [[ $line =~ ^[[:space:]]*#[[:space:]]*include[[:space:]]*\<(Q[^>]*)\> ]]; then
      if [[ $qtfree == *" $from "* ]]; then
        echo "$file:$lineno: $from/ is Qt-free and may not include <${BASH_REMATCH[1]}>"
        status=1
      fi
    fi
  done <"$file"
done < <(find "$src" -type f \( -name '*.h' -o -name '*.cpp' \) | sort)

for key in "${exceptions[@]}"; do
  if [[ -z ${used[$key]+set} ]]; then
    echo "$key: listed as an exception but no longer included; drop it from the list"
    status=1
  fi
done
exit $status
