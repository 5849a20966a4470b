#!/usr/bin/env bash
# The set-up proven on a machine that holds nothing else: a minimal root of a Debian release
# (mmdebstrap: the essential packages and apt) gets the committed tree, installs only what
# tools/prepara.sh lists for ./test on that release, builds as ./test does, and runs every
# test that needs no real display (all but the label e2e, unless CTest arguments are given).
#   tools/radice_pulita.sh RELEASE [COMMIT] [-- CTEST_ARGUMENTS...]
#   e.g. tools/radice_pulita.sh trixie; tools/radice_pulita.sh bookworm HEAD~3
# Needs root (chroot and mounts) and mmdebstrap. The compiler cache and the downloaded packages
# are kept per release in $CARTAVIA_RADICI (default /var/cache/cartavia-radici) to save time;
# the root itself is made anew on every run and removed at the end.
set -euo pipefail
cd "$(dirname "$0")/.."
release="${1:?uso: tools/radice_pulita.sh RELEASE [COMMIT] [-- ARGOMENTI_CTEST...]}"
shift
commit=HEAD
if [ $# -gt 0 ] && [ "$1" != "--" ]; then commit="$1"; shift; fi
[ "${1:-}" = "--" ] && shift
[ $# -gt 0 ] || set -- -LE e2e

[ "$(id -u)" -eq 0 ] || { echo "tools/radice_pulita.sh: serve root (chroot, mount)" >&2; exit 1; }
command -v mmdebstrap >/dev/null || { echo "tools/radice_pulita.sh: manca mmdebstrap" >&2; exit 1; }
revisione=$(git rev-parse --verify "$commit^{commit}")

conserva="${CARTAVIA_RADICI:-/var/cache/cartavia-radici}/$release"
mkdir -p "$conserva/ccache" "$conserva/apt/partial"
lavoro=$(mktemp -d "${TMPDIR:-/var/tmp}/radice-$release.XXXXXX")
# Every mount is made in a mount namespace of its own (below), gone when it ends: nothing is
# mounted here any more when the root is removed, and --one-file-system keeps it so.
trap 'rm -rf --one-file-system "$lavoro"' EXIT
radice="$lavoro/radice"

fase() { echo "== radice $release: $*"; }
inizio=$SECONDS
fase "creazione ($(git log -1 --format='%h %s' "$revisione"))"
mmdebstrap --quiet --mode=root --variant=apt "$release" "$radice"
# The committed tree only: nothing that is not committed reaches the root.
mkdir "$radice/cartavia"
git archive "$revisione" | tar -x -C "$radice/cartavia"
fase "creata in $((SECONDS - inizio)) s"

# Inside the root: the steps of ./test, each timed. HOME and the compiler cache are the root's.
dentro='
set -euo pipefail
cd /cartavia
tempo() { local nome="$1" t=$SECONDS; shift; "$@"; echo "== radice '"$release"': $nome in $((SECONDS - t)) s"; }
source tools/prepara.sh
tempo pacchetti installa_mancanti "${PACCHETTI[@]}" "${PACCHETTI_TEST[@]}"
tempo compilazione compila
tempo test ctest --preset default "$@"
'
unshare --mount --pid --fork --propagation private bash -euo pipefail -c '
radice="$1" conserva="$2" dentro="$3"; shift 3
mount -t proc proc "$radice/proc"
mount --rbind /dev "$radice/dev"
mount --rbind /sys "$radice/sys"
mkdir -p "$radice/var/cache/ccache"
mount --bind "$conserva/ccache" "$radice/var/cache/ccache"
mount --bind "$conserva/apt" "$radice/var/cache/apt/archives"
exec chroot "$radice" /usr/bin/env -i HOME=/root LANG=C.UTF-8 TERM=dumb \
    PATH=/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin \
    CCACHE_DIR=/var/cache/ccache CCACHE_MAXSIZE=2G \
    bash -c "$dentro" dentro "$@"
' radice_pulita "$radice" "$conserva" "$dentro" "$@"
fase "tutto in $((SECONDS - inizio)) s"
