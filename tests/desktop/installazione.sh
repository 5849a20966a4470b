#!/usr/bin/env bash
# cmake --install into a throw-away DESTDIR, in two prefixes: the program directory with its
# data, the bin/ link that reaches it, the menu entry, its icon and the metadata.
# installazione.sh SOURCES BUILD
source "$(dirname "$0")/comune.sh"
sorgenti="$1"; build="$2"

controlla_prefisso() {
    local prefisso="$1" radice="$temporanea/radice$1"
    DESTDIR="$temporanea/radice" cmake --install "$build" --prefix "$prefisso" >/dev/null \
        || { fallisce "cmake --install --prefix $prefisso"; return; }
    local programma="$radice/lib/cartavia"
    [ -x "$programma/cartavia" ] && [ -f "$programma/cartavia" ] \
        || fallisce "$prefisso: manca l'eseguibile in lib/cartavia"

    # bin/cartavia is a relative link to the executable, so the program finds its data
    # beside its real path.
    local link="$radice/bin/cartavia"
    [ -L "$link" ] || fallisce "$prefisso: bin/cartavia non è un collegamento"
    [ "$(readlink "$link")" = "../lib/cartavia/cartavia" ] \
        || fallisce "$prefisso: bin/cartavia punta a $(readlink "$link")"
    [ "$(readlink -f "$link")" = "$(readlink -f "$programma/cartavia")" ] \
        || fallisce "$prefisso: bin/cartavia non raggiunge l'eseguibile"

    # Every data file beside the executable, as in the sources.
    cmp -s "$sorgenti/data/lista.txt" "$programma/lista.txt" || fallisce "$prefisso: lista.txt"
    local cartella
    for cartella in jpg suoni; do
        [ "$(cd "$sorgenti/data/$cartella" && find . -type f | sort)" \
            = "$(cd "$programma/$cartella" 2>/dev/null && find . -type f | sort)" ] \
            || fallisce "$prefisso: $cartella/ non corrisponde a data/$cartella"
    done
    [ -f "$programma/suoni/no.wav" ] || fallisce "$prefisso: suoni/no.wav"

    # The menu entry names an icon that is installed, and a command that is.
    local condivisi="$radice/share"
    local desktop="$condivisi/applications/org.example.cartavia.desktop"
    [ -f "$desktop" ] || fallisce "$prefisso: manca la voce di menu"
    local icona
    icona=$(sed -n 's/^Icon=//p' "$desktop" 2>/dev/null)
    [ -f "$condivisi/icons/hicolor/scalable/apps/$icona.svg" ] \
        || fallisce "$prefisso: icona $icona non installata"
    grep -q '<svg' "$condivisi/icons/hicolor/scalable/apps/$icona.svg" 2>/dev/null \
        || fallisce "$prefisso: l'icona non è un SVG"
    [ -e "$radice/bin/$(sed -n 's/^Exec=//p' "$desktop" 2>/dev/null)" ] \
        || fallisce "$prefisso: il comando della voce di menu non è in bin/"
    [ -f "$condivisi/metainfo/org.example.cartavia.metainfo.xml" ] \
        || fallisce "$prefisso: mancano i metadati AppStream"
    [ -f "$condivisi/doc/cartavia/copyright" ] || fallisce "$prefisso: manca copyright"

    # Nothing written outside the prefix.
    local fuori
    fuori=$(cd "$temporanea/radice" && find . -type f -o -type l | grep -v "^\.$prefisso/" || true)
    [ -z "$fuori" ] || fallisce "$prefisso: file fuori dal prefisso: $fuori"
    rm -rf "$temporanea/radice"
}

controlla_prefisso /usr/local
controlla_prefisso /opt/cartavia
esito
