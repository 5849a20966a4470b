#!/usr/bin/env bash
# No exception crosses Qt's signal dispatch: every slot of the program's code given to
# connect(), QTimer::singleShot() or QMetaObject::invokeMethod() is wrapped in protetto(...)
# (logic/Protezione.h). Also allowed: a slot that is Qt's own member (&QObject::deleteLater),
# and a call whose line, or the line above it, says "throws nothing:" and why.
#   tests/protetti.sh SOURCE_DIR
set -euo pipefail
cd "${1:-$(dirname "$0")/..}"

find logic widgets screens app main.cpp -type f \( -name '*.cpp' -o -name '*.h' \) -print0 |
    xargs -0 perl -0777 -ne '
        my @righe = split /\n/, $_, -1;
        while (/\b(connect|singleShot|invokeMethod)\s*\(/g) {
            my ($inizio, $fine, $livello) = ($-[0], pos($_) - 1, 0);
            my $riga = substr($_, 0, $inizio) =~ tr/\n//;
            next if $righe[$riga] =~ m{//.*\b\Q$1\E\s*\(}; # in a comment
            for (; $fine < length($_); ++$fine) {
                my $c = substr($_, $fine, 1);
                $livello++ if $c eq "(";
                last if $c eq ")" && --$livello == 0;
            }
            my $chiamata = substr($_, $inizio, $fine - $inizio + 1);
            my $sopra = $riga > 0 ? $righe[$riga - 1] : "";
            next if $chiamata =~ /\bprotetto\s*\(/
                || $chiamata =~ /,\s*(?:qOverload<[^>]*>\()?&Q\w+::\w+\)?\s*\)$/
                || "$sopra\n$righe[$riga]" =~ m{//.*throws nothing:};
            print STDERR "$ARGV:", $riga + 1, ": a slot without protetto(): ", (split /\n/, $chiamata)[0], "\n";
            $errori++;
        }
        END { print STDERR "slots without protetto(): ", $errori // 0, "\n"; exit(($errori // 0) > 0) }
    '
