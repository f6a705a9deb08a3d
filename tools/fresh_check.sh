#!/bin/sh
# The fresh-machine check: does a bare Debian 12 with only g++, CMake, make,
# git and the GoogleTest, GoogleMock and Google Benchmark packages pass
# `make test`? Builds a minimal root (debootstrap minbase, cached between
# runs), clones the current commit into a scratch copy of it, and runs
# `make test` there as root in a chroot with /proc, /sys and /dev mounted.
# Not part of `make test`: it downloads packages and takes a while.
#
# Usage, as root: tools/fresh_check.sh
# QM_FRESH_CACHE names the cache folder (default /var/cache/qmsim-fresh-check).
# The package mirror is the one this machine's own apt sources name.
set -eu

suite=bookworm
cache=${QM_FRESH_CACHE:-/var/cache/qmsim-fresh-check}
base_root=$cache/$suite-minbase
run_root=$cache/run
# What the fresh machine has beyond minbase.
base_packages="g++ cmake make git libgtest-dev libgmock-dev libbenchmark-dev"

say() { echo "fresh check: $*"; }
die() { echo "fresh check: $*" >&2; exit 1; }

[ "$(id -u)" -eq 0 ] || die "must run as root (it uses debootstrap, mount and chroot)"
top=$(git -C "$(dirname "$0")/.." rev-parse --show-toplevel) || die "not inside the project's git repository"
commit=$(git -C "$top" rev-parse HEAD)
if [ -n "$(git -C "$top" status --porcelain --untracked-files=no)" ]; then
    say "uncommitted changes are not checked: the check runs the commit $commit"
fi

# The first URI this machine's apt sources give for a suite, from one-line
# lists (deb URI SUITE ...) and from deb822 files (Types/URIs/Suites).
host_uri() {
    for list in /etc/apt/sources.list /etc/apt/sources.list.d/*.list; do
        [ -f "$list" ] || continue
        awk -v suite="$1" '$1 == "deb" {
            i = 2
            if ($i ~ /^\[/) { while ($i !~ /\]$/) i++; i++ }
            if ($(i + 1) == suite) { print $i; exit }
        }' "$list"
    done
    for list in /etc/apt/sources.list.d/*.sources; do
        [ -f "$list" ] || continue
        awk -v suite="$1" '
            function stanza_end() {
                if (deb && uri != "" && has_suite && !found) { print uri; found = 1; exit }
                deb = 0; uri = ""; has_suite = 0
            }
            /^[ \t]*$/ { stanza_end(); next }
            /^Types:/ { for (i = 2; i <= NF; i++) if ($i == "deb") deb = 1 }
            /^URIs:/ { uri = $2 }
            /^Suites:/ { for (i = 2; i <= NF; i++) if ($i == suite) has_suite = 1 }
            END { stanza_end() }' "$list"
    done
}

mirror=$(host_uri $suite | head -n 1)
[ -n "$mirror" ] || die "this machine's apt sources name no mirror for $suite"
updates=$(host_uri $suite-updates | head -n 1)
security=$(host_uri $suite-security | head -n 1)

# Mounts are undone on every way out, innermost first.
mounted=""
cleanup() {
    for point in $mounted; do
        umount -R "$point" 2>/dev/null || umount -R -l "$point" 2>/dev/null || true
    done
}
trap cleanup EXIT
trap 'exit 130' INT
trap 'exit 143' TERM

mount_in() {
    # $1: what to mount; $2: where, inside the root
    case "$1" in
    proc) mount -t proc proc "$2" ;;
    sys) mount -t sysfs sysfs "$2" ;;
    dev) mount --rbind /dev "$2" && mount --make-rslave "$2" ;;
    esac
    mounted="$2 $mounted"
}

in_root() {
    chroot "$1" /usr/bin/env -i HOME=/root PATH=/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin \
        LANG=C.UTF-8 DEBIAN_FRONTEND=noninteractive sh -c "$2"
}

with_mounts() {
    mount_in proc "$1/proc"
    mount_in sys "$1/sys"
    mount_in dev "$1/dev"
    cp /etc/resolv.conf "$1/etc/resolv.conf"
    # debootstrap writes no /etc/hosts, which every installed Debian has:
    # without it "localhost" does not resolve, and chromedriver's client
    # cannot reach the driver it started.
    [ -e "$1/etc/hosts" ] || printf '127.0.0.1\tlocalhost\n::1\t\tlocalhost ip6-localhost ip6-loopback\n' >"$1/etc/hosts"
}

without_mounts() {
    cleanup
    mounted=""
}

# --- The cached base root ----------------------------------------------------
# Rebuilt when missing, half made, or made with another package list.
stamp="$base_root/.qmsim-fresh-check"
if [ ! -f "$stamp" ] || [ "$(cat "$stamp")" != "$mirror $base_packages" ]; then
    if ! command -v debootstrap >/dev/null 2>&1; then
        say "installing debootstrap on this machine"
        # Waits for another apt run on this machine rather than failing.
        apt-get -o DPkg::Lock::Timeout=600 update -qq &&
            DEBIAN_FRONTEND=noninteractive apt-get -o DPkg::Lock::Timeout=600 install -y -qq debootstrap >/dev/null
    fi
    say "building a minimal $suite root in $base_root from $mirror"
    rm -rf "$base_root"
    mkdir -p "$cache"
    debootstrap --variant=minbase $suite "$base_root" "$mirror" >"$cache/debootstrap.log" 2>&1 ||
        die "debootstrap failed; see $cache/debootstrap.log"
    {
        echo "deb $mirror $suite main"
        if [ -n "$updates" ]; then echo "deb $updates $suite-updates main"; fi
        if [ -n "$security" ]; then echo "deb $security $suite-security main"; fi
    } >"$base_root/etc/apt/sources.list"
    # Packages must not start services in the chroot.
    printf '#!/bin/sh\nexit 101\n' >"$base_root/usr/sbin/policy-rc.d"
    chmod 755 "$base_root/usr/sbin/policy-rc.d"
    with_mounts "$base_root"
    say "adding $base_packages"
    in_root "$base_root" "apt-get update -qq && apt-get install -y -qq --no-install-recommends $base_packages \
        && apt-get clean" >"$cache/base-packages.log" 2>&1 || die "installing the base packages failed; see $cache/base-packages.log"
    without_mounts
    echo "$mirror $base_packages" >"$stamp"
fi

# --- A scratch copy with the current commit, and make test in it ---------------
say "copying the base root to $run_root"
rm -rf "$run_root"
cp -a "$base_root" "$run_root"
git clone -q --no-checkout "$top" "$run_root/root/qmsim"
git -C "$run_root/root/qmsim" checkout -q --detach "$commit"
with_mounts "$run_root"

say "make test on commit $commit"
start=$(date +%s)
status=0
in_root "$run_root" "cd /root/qmsim && make test" || status=$?
minutes=$(( ($(date +%s) - start + 30) / 60 ))
if [ "$status" -eq 0 ]; then
    say "PASSED: make test on a bare Debian 12 ($minutes min)"
else
    say "FAILED: make test ended with status $status after $minutes min; the root is kept in $run_root"
fi
exit "$status"
