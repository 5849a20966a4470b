#!/usr/bin/env bash
# cpack -G DEB: the package's fields, its computed dependencies and its contents.
# pacchetto.sh SOURCES BUILD
source "$(dirname "$0")/comune.sh"
richiede cpack dpkg-deb dpkg-shlibdeps lintian
sorgenti="$1"; build="$2"; v=$(versione "$1")

cpack -G DEB --config "$build/CPackConfig.cmake" -B "$temporanea" >"$temporanea/cpack.log" 2>&1 \
    || { cat "$temporanea/cpack.log" >&2; fallisce "cpack"; esito; }
deb=$(ls "$temporanea"/*.deb)
[ "$(basename "$deb")" = "cartavia_${v}_$(dpkg --print-architecture).deb" ] \
    || fallisce "nome del pacchetto: $(basename "$deb")"

campo() { dpkg-deb -f "$deb" "$1"; }
[ "$(campo Package)" = "cartavia" ] || fallisce "Package: $(campo Package)"
[ "$(campo Version)" = "$v" ] || fallisce "Version: $(campo Version)"
[ "$(campo Section)" = "education" ] || fallisce "Section: $(campo Section)"
[ "$(campo Maintainer)" = "Cartavia <info@cartavia.example.org>" ] \
    || fallisce "Maintainer: $(campo Maintainer)"
[ "$(campo Architecture)" = "$(dpkg --print-architecture)" ] || fallisce "Architecture"

# Depends, computed: a versioned entry for every Qt library the executable and the sound
# module link (PulseAudio's client library only through the module), the C++ runtime, plus the SVG icon engine and the fonts, which are loaded without a link.
# The icon engine's package is the one that holds its plugin on this release.
dipendenze=$(campo Depends)
echo "Depends: $dipendenze"
motore_svg=$(dpkg-query -S '*/qt6/plugins/iconengines/libqsvgicon.so' 2>/dev/null \
             | sed -n '1s/[:,].*//p' || true)
# (Debian 13 renamed Qt Core's package libqt6core6t64.)
for voce in 'libqt6core6(t64)? \(>=' 'libqt6gui6 \(>=' 'libqt6widgets6 \(>=' 'libpulse0 \(>=' \
            'libc6 \(>=' 'libstdc\+\+6 \(>=' "${motore_svg:-motore SVG non installato}" 'fonts-liberation'; do
    grep -qE "$voce" <<<"$dipendenze" || fallisce "Depends senza $voce"
done
# Every library the executable or the sound module needs is owned by a package in Depends.
nomi=$(sed 's/ ([^)]*)//g; s/, /\n/g' <<<"$dipendenze")
mkdir -p "$temporanea/contenuto"
dpkg-deb -x "$deb" "$temporanea/contenuto"
eseguibile="$temporanea/contenuto/usr/lib/cartavia/cartavia"
modulo="$temporanea/contenuto/usr/lib/cartavia/libcartavia_suoni.so"
if command -v readelf >/dev/null && command -v dpkg-query >/dev/null; then
    for libreria in $(readelf -d "$eseguibile" "$modulo" | sed -n 's/.*NEEDED.*\[\(.*\)\]/\1/p' | sort -u); do
        percorso=$(ldconfig -p | awk -v l="$libreria" '$1 == l && !visto { print $NF; visto = 1 }')
        [ -n "$percorso" ] || { fallisce "$libreria non trovata"; continue; }
        # With merged /usr the package may list the file under /lib or /usr/lib.
        reale=$(readlink -f "$percorso")
        proprietario=""
        for candidato in "$reale" "${reale#/usr}" "$percorso" "/usr$percorso"; do
            proprietario=$(dpkg-query -S "$candidato" 2>/dev/null | sed -n '1s/[:,].*//p' || true)
            [ -z "$proprietario" ] || break
        done
        [ -n "$proprietario" ] || { fallisce "nessun pacchetto possiede $libreria"; continue; }
        grep -qxF "$proprietario" <<<"$nomi" \
            || fallisce "$libreria ($proprietario) non è in Depends"
    done
fi

# Contents: the program directory, the link, the desktop files; stripped executable.
elenco=$(dpkg-deb -c "$deb" | awk '{ $1 = $2 = $3 = $4 = $5 = ""; sub(/^ +/, ""); print }')
for voce in './usr/bin/cartavia -> ../lib/cartavia/cartavia' \
            './usr/lib/cartavia/cartavia' './usr/lib/cartavia/libcartavia_suoni.so' \
            './usr/lib/cartavia/lista.txt' \
            './usr/lib/cartavia/suoni/no.wav' './usr/lib/cartavia/suoni/si4.wav' \
            './usr/share/applications/org.example.cartavia.desktop' \
            './usr/share/icons/hicolor/scalable/apps/org.example.cartavia.svg' \
            './usr/share/metainfo/org.example.cartavia.metainfo.xml' \
            './usr/share/doc/cartavia/copyright' './usr/share/doc/cartavia/changelog.gz' \
            './usr/share/man/man6/cartavia.6.gz' './usr/share/lintian/overrides/cartavia'; do
    grep -qxF "$voce" <<<"$elenco" || fallisce "manca $voce"
done
immagini_sorgenti=$(find "$sorgenti/data/jpg" -type f -name '*.jpg' | wc -l)
immagini=$(grep -c '^\./usr/lib/cartavia/jpg/.*\.jpg$' <<<"$elenco" || true)
[ "$immagini" -eq "$immagini_sorgenti" ] || fallisce "immagini: $immagini su $immagini_sorgenti"
if grep -qvE '^\./(usr/|$)' <<<"$elenco"; then fallisce "file fuori da /usr"; fi
[ -x "$eseguibile" ] || fallisce "eseguibile non eseguibile"
for file in "$eseguibile" "$modulo"; do
    if command -v readelf >/dev/null && readelf -S "$file" | grep -q '\.debug_info'; then
        fallisce "$(basename "$file") non ridotto (strip)"
    fi
done
# The sound library is loaded with the module, after the first window: the executable never links it.
if command -v readelf >/dev/null && readelf -d "$eseguibile" | grep -q 'libpulse'; then
    fallisce "l'eseguibile collega libpulse"
fi
# The version record of the package and of the metadata agree.
grep -q "<release version=\"$v\"" \
    "$temporanea/contenuto/usr/share/metainfo/org.example.cartavia.metainfo.xml" \
    || fallisce "release dei metadati diversa da $v"
# No maintainer scripts: the package has nothing to do when it is installed or removed.
mkdir -p "$temporanea/controllo"
dpkg-deb -e "$deb" "$temporanea/controllo"
for script in preinst postinst prerm postrm; do
    [ ! -e "$temporanea/controllo/$script" ] || fallisce "script $script nel pacchetto"
done
# lintian, as Debian checks its packages: no error and no warning. Its notes (I:, P:) that
# stay are overridden in packaging/lintian-overrides, each with its reason.
lintian --display-info --pedantic --fail-on error,warning "$deb" >"$temporanea/lintian.log" 2>&1 \
    || fallisce "lintian"
grep -v '^running with root privileges' "$temporanea/lintian.log" || true
if grep -qE '^[EWIP]: ' "$temporanea/lintian.log"; then fallisce "lintian ha da ridire"; fi
esito
