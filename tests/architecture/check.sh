#!/usr/bin/env bash
# The folders of src/ form a stack: no folder includes from a folder that
# includes from it, directly or round a longer loop. Prints the folders
# bottom up when they do, the loop when they do not.
set -euo pipefail
src=$(cd "$(dirname "$0")/../../src" && pwd)

edges() {
  local dir from to
  for dir in "$src"/*/; do
    from=$(basename "$dir")
    echo "$from $from"
    for to in $(cat "$dir"*.h "$dir"*.cpp 2>/dev/null | sed -n 's|^#include "\([a-z_]*\)/.*|\1|p' | sort -u); do
      if [ "$to" != "$from" ] && [ -d "$src/$to" ]; then
        echo "$to $from"  # $to lies below $from
      fi
    done
  done
}

graph=$(edges)
if ! order=$(tsort <<<"$graph" 2>&1); then
  echo "FAILED: the folders of src/ include from each other:" >&2
  grep '^tsort' <<<"$order" >&2
  exit 1
fi
echo "folders bottom up: $(echo $order)"
