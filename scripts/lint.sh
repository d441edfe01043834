#!/usr/bin/env bash
# Checks the form of the sources: every C++ file as clang-format 14 would write it (the
# repository's .clang-format), every shell script clean under shellcheck (.shellcheckrc).
# Reports each file it would change and exits non-zero.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/deps.sh clang-format-14 shellcheck
git ls-files -z '*.cpp' '*.h' | xargs -0 clang-format-14 --dry-run -Werror
git ls-files -z '*.sh' .ci/run | xargs -0 shellcheck
echo "lint: clean"
