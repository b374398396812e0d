#!/usr/bin/env bash
# Builds the Debian package, installs it into this machine with dpkg, runs the tool and the
# game from their installed places, validates the installed desktop files, then purges the
# package and checks that nothing of it is left.
#
#   install_test.sh SOURCE_DIR PACKAGE_BUILD_DIR BUILT_TOMELIN_CLI
#
# Runs only when asked for: TOMELIN_PACKAGE_TEST=1, or =required (CI), which turns a missing
# prerequisite into a failure. Needs root and the packaging tools; without them it is skipped
# (status 77). A tomelin package already installed on this machine is never touched: the
# test then stops before building anything (a skip, or a failure when required).
# Whatever happens, a package this test installed is purged again on the way out.
set -euo pipefail

src=$1
build=$2
built_cli=$3
here=$(cd "$(dirname "$0")" && pwd)
app_id=io.github.tomelin.Tomelin
lock=/run/lock/tomelin-package-test.lock
# Names the package this test installed until it is purged, so that a run killed before its
# trap could purge (a CTest timeout kills) is cleaned up by the next run.
marker=/var/tmp/tomelin-package-test.installed

step() { echo "== $*"; }
fail() {
    echo "FAIL: $*" >&2
    exit 1
}
skip() {
    if [[ ${TOMELIN_PACKAGE_TEST:-} == required ]]; then
        fail "$* (TOMELIN_PACKAGE_TEST=required)"
    fi
    echo "SKIPPED: $*"
    exit 77
}

[[ -n ${TOMELIN_PACKAGE_TEST:-} ]] ||
    skip "the package test installs into this machine; it runs only with TOMELIN_PACKAGE_TEST=1"
[[ $(id -u) == 0 ]] || skip "the package test installs into this machine and needs root"
missing=
for tool in make cmake cpack strings dpkg dpkg-deb dpkg-shlibdeps dpkg-buildflags lintian flock \
    xvfb-run xauth xdotool xprop xwininfo desktop-file-validate appstreamcli man; do
    command -v "$tool" >/dev/null || missing+=" $tool"
done
[[ -z $missing ]] || skip "packaging tools missing:$missing (make deps installs them)"

# A package of the user's own (no marker of an interrupted run of this test) stays as it is.
installed_status() { dpkg-query -W -f='${db:Status-Status}' tomelin 2>/dev/null || true; }
status=$(installed_status)
if [[ -n $status && $status != not-installed && ! -f $marker ]]; then
    skip "a tomelin package is already installed on this machine ($status); the test would replace and purge it"
fi

tmp=$(mktemp -d /tmp/tomelin-package-test.XXXXXX)
installed_by_us=0
cleanup() {
    local status=$?
    if ((installed_by_us)); then
        echo "== purging tomelin"
        if DEBIAN_FRONTEND=noninteractive dpkg --purge tomelin >"$tmp/purge.log" 2>&1; then
            rm -f "$marker"
        else
            cat "$tmp/purge.log" >&2
            echo "WARNING: dpkg --purge tomelin failed" >&2
        fi
    fi
    rm -rf "$tmp"
    exit "$status"
}
trap cleanup EXIT
trap 'exit 130' INT TERM HUP

# dpkg refuses to start while another dpkg or apt holds its lock (another engineer's
# `make deps`); wait for it instead of failing.
dpkg_waiting() {
    local out attempt
    for attempt in $(seq 1 120); do
        if out=$(DEBIAN_FRONTEND=noninteractive dpkg "$@" 2>&1); then
            return 0
        fi
        if ! grep -Eq 'frontend lock|database lock|lock was locked|unable to lock' <<<"$out"; then
            printf '%s\n' "$out" >&2
            return 1
        fi
        sleep 5
    done
    printf '%s\n' "$out" >&2
    return 1
}

step "building the package in $build"
make -C "$src" --no-print-directory deb DEB_BUILD="$build" >"$tmp/build.log" 2>&1 ||
    { tail -n 60 "$tmp/build.log" >&2; fail "make deb failed"; }
debs=("$build"/tomelin_*.deb)
[[ ${#debs[@]} == 1 && -f ${debs[0]} ]] || fail "expected one tomelin_*.deb in $build"
deb=${debs[0]}
echo "$deb"

step "package metadata"
for field in Package Version Architecture Section Maintainer Depends Recommends; do
    printf '%s: %s\n' "$field" "$(dpkg-deb -f "$deb" "$field")"
done
grep -Eq '(^|, )qt6-translations-l10n(,|$)' <<<"$(dpkg-deb -f "$deb" Recommends)" ||
    fail "Recommends lacks qt6-translations-l10n (Qt's own texts in the game's language)"
[[ $(dpkg-deb -f "$deb" Section) == games ]] || fail "section is not games"
depends=$(dpkg-deb -f "$deb" Depends)
# The soundfont by hand, the rest computed from the programs by dpkg-shlibdeps.
for needed in timgm6mb-soundfont libc6 libstdc++6 libqt6core6 libqt6gui6 libqt6widgets6 \
    libfluidsynth3 libsqlite3-0; do
    grep -Eq "(^|, )${needed//+/\\+}( |,|$)" <<<"$depends" || fail "Depends lacks $needed: $depends"
done
contents=$(dpkg-deb -c "$deb")
for program in usr/games/tomelin usr/games/tomelin-cli; do
    grep -Eq "^-rwxr-xr-x root/root .* \./$program$" <<<"$contents" ||
        fail "$program is not an executable owned by root in the package"
done
grep -Eq '^-rw-r--r-- root/root .* \./usr/share/games/tomelin/help/index\.html$' <<<"$contents" ||
    fail "the help page is not in /usr/share/games/tomelin/help"
for language in cs en; do
    grep -Eq "^-rw-r--r-- root/root .* \./usr/share/games/tomelin/translations/tomelin_$language\.qm$" \
        <<<"$contents" || fail "the $language translation is not in /usr/share/games/tomelin/translations"
done
grep -Eq '^-rw-r--r-- root/root .* \./usr/share/games/tomelin/translations/tomelin-cli_cs\.qm$' \
    <<<"$contents" || fail "tomelin-cli's Czech translation is not in /usr/share/games/tomelin/translations"

step "lintian"
lintian --fail-on error,warning --info "$deb" || fail "lintian reports errors or warnings"

# One package test at a time on this machine: each installs and purges the same package.
exec 9>"$lock"
flock -w 1800 9 || fail "another package test has held $lock for 30 minutes"
status=$(installed_status)
if [[ -n $status && $status != not-installed && -f $marker ]]; then
    step "purging the package an interrupted run of this test left ($status)"
    dpkg_waiting --purge tomelin || fail "cannot purge the package an earlier run left"
    status=
fi
rm -f "$marker"
if [[ -n $status && $status != not-installed ]]; then
    skip "a tomelin package is already installed on this machine ($status); the test would replace and purge it"
fi

step "dpkg -i"
installed_by_us=1
: >"$marker"
dpkg_waiting -i "$deb" || fail "dpkg -i failed"
[[ $(dpkg-query -W -f='${db:Status-Status}' tomelin) == installed ]] || fail "tomelin not installed"
dpkg -L tomelin | sort >"$tmp/files"

step "installed files"
for f in /usr/games/tomelin /usr/games/tomelin-cli \
    /usr/share/games/tomelin/help/index.html \
    /usr/share/applications/$app_id.desktop /usr/share/metainfo/$app_id.metainfo.xml \
    /usr/share/icons/hicolor/48x48/apps/$app_id.png \
    /usr/share/icons/hicolor/256x256/apps/$app_id.png \
    /usr/share/man/man6/tomelin.6.gz /usr/share/man/man6/tomelin-cli.6.gz \
    /usr/share/bash-completion/completions/tomelin-cli \
    /usr/share/doc/tomelin/copyright /usr/share/doc/tomelin/changelog.gz; do
    [[ -f $f ]] || fail "$f is not installed"
done
songs_in_source=$(find "$src/assets/Zvuk" -name '*.mid' | wc -l)
songs_installed=$(find /usr/share/games/tomelin/Zvuk -name '*.mid' | wc -l)
((songs_in_source > 0 && songs_installed == songs_in_source)) ||
    fail "$songs_installed of $songs_in_source songs are installed"
# The game looks for its data where the package puts it, and nowhere in this source tree
# (Qt keeps the folder names as UTF-16 text, hence strings -el).
wide=$(strings -a -el /usr/games/tomelin)
grep -qxF /usr/share/games/tomelin <<<"$wide" ||
    fail "/usr/games/tomelin does not look in /usr/share/games/tomelin"
! grep -qF "$src" <<<"$wide" && ! grep -aqF "$src" /usr/games/tomelin /usr/games/tomelin-cli ||
    fail "the installed programs name the source tree $src"
[[ $(man -w 6 tomelin) == /usr/share/man/man6/tomelin.6.gz ]] || fail "man 6 tomelin not found"
[[ $(man -w 6 tomelin-cli) == /usr/share/man/man6/tomelin-cli.6.gz ]] ||
    fail "man 6 tomelin-cli not found"
bash -c 'source /usr/share/bash-completion/completions/tomelin-cli && complete -p tomelin-cli' ||
    fail "the installed completion does not register for tomelin-cli"

mkdir -p "$tmp/home" "$tmp/run" "$tmp/store"
chmod 700 "$tmp/run"
run_isolated() {
    env -u QT_QPA_PLATFORM -u XDG_DATA_HOME -u XDG_CONFIG_HOME HOME="$tmp/home" \
        XDG_RUNTIME_DIR="$tmp/run" TOMELIN_STORE="$tmp/store/tomelin.db" "$@"
}

step "tomelin-cli boards"
run_isolated /usr/games/tomelin-cli boards >"$tmp/boards"
cat "$tmp/boards"
[[ -s $tmp/boards ]] || fail "tomelin-cli boards printed nothing"
"$built_cli" boards | cmp - "$tmp/boards" ||
    fail "the installed tomelin-cli lists other boards than the built one"

step "tomelin-cli in Czech with LANGUAGE=cs"
run_isolated env LANGUAGE=cs /usr/games/tomelin-cli help >"$tmp/help-cs"
head -1 "$tmp/help-cs"
grep -q '^použití: tomelin-cli PŘÍKAZ' "$tmp/help-cs" ||
    fail "the installed tomelin-cli does not speak Czech with LANGUAGE=cs"
run_isolated env LANGUAGE=cs /usr/games/tomelin-cli boards | cmp - "$tmp/boards" ||
    fail "the installed tomelin-cli lists the boards otherwise in Czech"

step "tomelin under xvfb-run until its setup window appears"
run_isolated timeout 180 xvfb-run -a -s "-screen 0 1280x1024x24" \
    bash "$here/window_probe.sh" /usr/games/tomelin Tomelin 90 "$tmp/game.log" ||
    { cat "$tmp/game.log" >&2; fail "the setup window did not appear"; }
[[ -s $tmp/store/tomelin.db ]] || fail "the game did not use the fresh TOMELIN_STORE"

step "tomelin in English with LANGUAGE=en"
run_isolated timeout 180 xvfb-run -a -s "-screen 0 1280x1024x24" \
    bash "$here/english_probe.sh" /usr/games/tomelin 90 "$tmp/english.log" ||
    { cat "$tmp/english.log" >&2; fail "the installed game did not start in English"; }

step "desktop-file-validate and appstreamcli on the installed files"
out=$(desktop-file-validate /usr/share/applications/$app_id.desktop 2>&1) ||
    fail "desktop-file-validate: $out"
[[ -z $out ]] || fail "desktop-file-validate: $out"
appstreamcli validate --no-net /usr/share/metainfo/$app_id.metainfo.xml ||
    fail "appstreamcli validate failed"

step "dpkg --purge"
dpkg_waiting --purge tomelin || fail "dpkg --purge failed"
installed_by_us=0
rm -f "$marker"
status=$(installed_status)
[[ -z $status || $status == not-installed ]] || fail "tomelin is still known to dpkg: $status"
left=0
while IFS= read -r path; do
    [[ -e $path || -L $path ]] || continue
    # Folders the package shared with others (/usr/games, the icon theme) stay.
    if [[ -d $path && ! -L $path ]] && dpkg-query -S "$path" >/dev/null 2>&1; then
        continue
    fi
    if [[ -d $path && ! -L $path && $path != *tomelin* ]] && [[ -n $(ls -A "$path") ]]; then
        continue
    fi
    echo "left behind: $path" >&2
    left=1
done <"$tmp/files"
((left == 0)) || fail "files of the package are left after dpkg --purge"
echo "PASSED: built, installed, ran and purged $deb"
