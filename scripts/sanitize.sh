#!/usr/bin/env bash
# Runs the whole test suite under AddressSanitizer+UBSan (build-asan/) and then
# under ThreadSanitizer (build-tsan/), at low priority; CTest arguments are
# passed on. Exit status 0 only when both runs are green.
# Usage: scripts/sanitize.sh [asan|tsan] [ctest arguments]
set -uo pipefail
cd "$(dirname "$0")/.."

sanitizers=(asan tsan)
case "${1:-}" in
  asan|tsan) sanitizers=("$1"); shift ;;
esac

failed=()
for sanitizer in "${sanitizers[@]}"; do
  echo "== $sanitizer"
  LYN_SANITIZER=$sanitizer nice -n 10 bash scripts/test.sh "$@" || failed+=("$sanitizer")
done
if [ ${#failed[@]} -gt 0 ]; then
  echo "sanitize: failed under ${failed[*]}" >&2
  exit 1
fi
echo "sanitize: green under ${sanitizers[*]}"
