#!/usr/bin/env bash
# Folders are layers: app/ -> screens/ -> widgets/ -> logic/. A file may include from its own
# folder and from the folders below it, never from one above it. main.cpp stands above app/.
#   tests/strati.sh SOURCE_DIR
set -euo pipefail
cd "${1:-$(dirname "$0")/..}"

livello() {
    case "$1" in
        logic/*) echo 0 ;;
        widgets/*) echo 1 ;;
        screens/*) echo 2 ;;
        app/*) echo 3 ;;
        main.cpp) echo 4 ;;
        *) echo -1 ;;
    esac
}

errori=0
controllati=0
while IFS= read -r file; do
    proprio=$(livello "$file")
    while IFS= read -r riga; do
        incluso=$(sed -E 's/^[[:space:]]*#[[:space:]]*include[[:space:]]*"([^"]*)".*/\1/' <<<"$riga")
        altro=$(livello "$incluso")
        [ "$altro" -lt 0 ] && continue
        controllati=$((controllati + 1))
        if [ "$altro" -gt "$proprio" ]; then
            echo "$file includes $incluso, a folder above its own" >&2
            errori=$((errori + 1))
        fi
    done < <(grep -E '^[[:space:]]*#[[:space:]]*include[[:space:]]*"' "$file" || true)
done < <(find logic widgets screens app main.cpp -type f \( -name '*.cpp' -o -name '*.h' \))

# The logic library stands on Qt Core alone.
if grep -rEn '#[[:space:]]*include[[:space:]]*<Q(Widget|Application|Image|Pixmap|Color|Font|Painter|Label)\b|<Qt(Gui|Widgets)/' logic >&2; then
    echo "logic/ includes a Qt Gui or Widgets header" >&2
    errori=$((errori + 1))
fi

echo "$controllati includes between the layers checked, $errori upward"
[ "$errori" -eq 0 ]
