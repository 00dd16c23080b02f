#!/usr/bin/env bash
# Every C++ file the project keeps is laid out as .clang-format says; the first offenders are named.
#   format_test.sh SOURCE-DIR CLANG-FORMAT
set -uo pipefail
cd "$1" || exit 1
bad=()
while IFS= read -r -d '' f; do
  "$2" --dry-run -Werror "$f" > /dev/null 2>&1 || bad+=("$f")
done < <(git ls-files -z -- '*.cpp' '*.h')
if [ ${#bad[@]} -gt 0 ]; then
  echo "FAIL: ${#bad[@]} files are not formatted (clang-format -i FILE): ${bad[*]:0:10}"
  exit 1
fi
echo "format: every file as .clang-format says"
