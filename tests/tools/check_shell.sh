#!/usr/bin/env bash
# Runs shellcheck -S warning over the files `shellcheck -S warning tools/*
# packaging/*.sh` reads, less those of tools/ that are not shell (Python
# programs, data), which it cannot read: it names them.
set -uo pipefail
cd "$(dirname "$0")/../.." || exit 2

files=(packaging/*.sh)
for file in tools/*; do
  case "$(head -n 1 "$file")" in
    '#!'*bash | '#!'*/sh | '# shellcheck shell='*) files+=("$file") ;;
    *) echo "not shell, left out: $file" ;;
  esac
done
shellcheck -S warning "${files[@]}"
