#!/usr/bin/env bash
# The Windows version record written by the configuration: file and product version the project's,
# Italian, product name Cartavia, the stop-sign icon.
# versione.sh SOURCES BUILD
source "$(dirname "$0")/comune.sh"
rc="$2/cartavia.rc"
[ -f "$rc" ] || { fallisce "manca $rc"; esito; }
controlla() { grep -qE "$1" "$rc" || fallisce "$2"; }
v=$(versione "$1"); maggiore=${v%%.*}; minore=$((10#${v#*.}))
controlla "^FILEVERSION +$maggiore,$minore,0,0\$" "FILEVERSION"
controlla "^PRODUCTVERSION +$maggiore,$minore,0,0\$" "PRODUCTVERSION"
controlla "VALUE \"FileVersion\", +\"${v//./\\.}\\\\0\"" "FileVersion"
controlla "VALUE \"ProductVersion\", +\"${v//./\\.}\\\\0\"" "ProductVersion"
controlla 'VALUE "ProductName", +"Cartavia\\0"' "ProductName"
controlla 'BLOCK "041004E4"' "blocco italiano"
controlla 'VALUE "Translation", 0x0410, 1252' "Translation"
icona=$(sed -n 's/^IDI_ICON1 ICON "\(.*\)"$/\1/p' "$rc")
[ -f "$icona" ] || fallisce "icona $icona"
if command -v identify >/dev/null; then
    [ "$(identify -format '%wx%h ' "$icona")" = "32x32 16x16 " ] \
        || fallisce "l'icona non ha le immagini 32x32 e 16x16"
fi
esito
