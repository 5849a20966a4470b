# Shared by the scripts of this folder: failure reports and a throw-away folder.
set -euo pipefail
errori=0
fallisce() { echo "ERRORE: $*" >&2; errori=$((errori + 1)); }
# A tool that is not installed skips the test (exit 77, see CMakeLists.txt).
richiede() {
    local t
    for t in "$@"; do
        command -v "$t" >/dev/null || { echo "manca $t: test saltato"; exit 77; }
    done
}
esito() {
    [ "$errori" -eq 0 ] || { echo "$errori errori" >&2; exit 1; }
    echo "tutto a posto"
}
# The program's version, as project() in CMakeLists.txt of the sources `$1` gives it.
versione() { sed -nE 's/^project\(Cartavia VERSION ([^ ]+).*/\1/p' "$1/CMakeLists.txt"; }
temporanea=$(mktemp -d)
trap 'rm -rf "$temporanea"' EXIT
