#!/usr/bin/env bash
# The menu entry and the AppStream metadata, checked by the validators that distributions
# and software centres use, and against each other.
# convalida.sh SOURCES
source "$(dirname "$0")/comune.sh"
richiede desktop-file-validate appstreamcli
pacchetto="$1/packaging"
desktop="$pacchetto/org.example.cartavia.desktop"
metainfo="$pacchetto/org.example.cartavia.metainfo.xml"

desktop-file-validate "$desktop" || fallisce "desktop-file-validate"
appstreamcli validate --no-net --pedantic "$metainfo" || fallisce "appstreamcli validate"

valore() { sed -n "s/^$1=//p" "$desktop"; }
[ "$(valore Name)" = "Cartavia" ] || fallisce "Name: $(valore Name)"
[ "$(valore Exec)" = "cartavia" ] || fallisce "Exec: $(valore Exec)"
[ "$(valore Icon)" = "org.example.cartavia" ] || fallisce "Icon: $(valore Icon)"
valore Categories | grep -qx 'Education;' || fallisce "Categories: $(valore Categories)"
# The window's WM_CLASS is the application name: the desktop can match window and entry.
[ "$(valore StartupWMClass)" = "Cartavia" ] || fallisce "StartupWMClass: $(valore StartupWMClass)"

# The metadata names this desktop entry, is Italian and carries the release of the program.
xml() { tr -d '\n' < "$metainfo"; }
xml | grep -q '<launchable type="desktop-id">org.example.cartavia.desktop</launchable>' \
    || fallisce "launchable"
xml | grep -q '<name>Cartavia</name>' || fallisce "name"
xml | grep -q '<summary>Impara i segnali stradali italiani</summary>' || fallisce "summary"
xml | grep -q '<lang percentage="100">it</lang>' || fallisce "lingua"
[ "$(grep -c '<caption>' "$metainfo")" -ge 2 ] || fallisce "didascalie delle schermate"
# Every screenshot named by the metadata is in the sources, as a picture of a window.
for immagine in $(sed -n 's|.*<image>.*/\([^/<]*\)</image>.*|\1|p' "$metainfo"); do
    file="$pacchetto/schermate/$immagine"
    [ -f "$file" ] || { fallisce "manca la schermata $immagine"; continue; }
    if command -v identify >/dev/null; then
        dimensioni=$(identify -format '%m %w %h' "$file")
        read -r formato larghezza altezza <<<"$dimensioni"
        [ "$formato" = PNG ] && [ "$larghezza" -ge 500 ] && [ "$altezza" -ge 400 ] \
            || fallisce "$immagine: $dimensioni"
    fi
done
versione=$(sed -n 's/^project(Cartavia VERSION \([0-9.]*\).*/\1/p' "$1/CMakeLists.txt")
grep -q "<release version=\"$versione\"" "$metainfo" \
    || fallisce "release $versione mancante nei metadati"
esito
