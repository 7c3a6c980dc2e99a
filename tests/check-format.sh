#!/usr/bin/env bash
# Fails when clang-format (Debian's, with the repository's .clang-format) would change a
# C++ source file, and names the files it would change.
# Usage: check-format.sh SOURCE_ROOT
set -u
root=${1:?source root}
cd "$root" || exit 2
command -v clang-format >/dev/null || { echo "clang-format is not installed"; exit 2; }
# Every C++ file of the sources: those git knows of, or in a tree without git every one
# outside the build folders.
sources() {
  if git rev-parse --is-inside-work-tree >/dev/null 2>&1; then
    git ls-files --cached --others --exclude-standard -- '*.cpp' '*.h'
  else
    find . \( -path './build*' -o -path './.git' \) -prune -o \( -name '*.cpp' -o -name '*.h' \) -print | sort
  fi
}
broken=0
while IFS= read -r file; do
  if ! clang-format --style=file --dry-run --Werror "$file" >/dev/null 2>&1; then
    echo "$file is not formatted: clang-format -i $file"
    broken=1
  fi
done < <(sources)
exit $broken
