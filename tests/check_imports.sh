#!/usr/bin/env bash
# SETUP.EXE must run on a bare Windows: it may import only DLLs that every Windows has.
# Usage: tests/check_imports.sh SETUP.EXE...
set -euo pipefail
allowed='^(KERNEL32|USER32|GDI32|ADVAPI32|SHELL32|COMCTL32|MSVCRT)\.DLL$'
status=0
for exe in "$@"; do
    dlls=$(objdump -p "$exe" | sed -n 's/^\s*DLL Name: //p' | tr '[:lower:]' '[:upper:]' | sort -u)
    [ -n "$dlls" ] || { echo "FAIL $exe: no imports found (not a PE file?)"; status=1; continue; }
    bad=$(printf '%s\n' "$dlls" | grep -v -E "$allowed" || true)
    if [ -n "$bad" ]; then
        echo "FAIL $exe imports non-system DLLs: $bad"
        status=1
    else
        echo "PASS $exe imports only system DLLs: $(echo $dlls)"
    fi
done
exit $status
