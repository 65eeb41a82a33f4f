#!/usr/bin/env bash
# Installs what is missing, builds Gyrel and then
#   ./build.sh run [file.gyr]  starts it,
#   ./build.sh test            runs every test,
#   ./build.sh sanitize        runs every test built with AddressSanitizer and
#                              UndefinedBehaviorSanitizer,
#   ./build.sh bench           runs the benchmarks,
#   ./build.sh fuzz [seconds]  fuzzes the construction and macro file readers,
#                              the expression parser and the GeoGebra importer
#                              (60 s each),
#   ./build.sh install [prefix] installs Gyrel as a desktop program into
#                              prefix (~/.local): menu entry, icon, .gyr files.
set -euo pipefail
cd "$(dirname "$0")"
mode=${1:-run}
[ $# -gt 0 ] && shift

packages=(cmake make g++ qt6-base-dev qt6-svg-dev libgl-dev libgtest-dev libgmock-dev
          libbenchmark-dev libzip-dev pkg-config fonts-dejavu-core fonts-urw-base35 locales poppler-utils)
[ "$mode" = fuzz ] && packages+=(clang libclang-rt-14-dev)
[ "$mode" = install ] && packages+=(shared-mime-info desktop-file-utils)
missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
    sudo=""
    [ "$(id -u)" -ne 0 ] && sudo=sudo
    $sudo apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

jobs=$(nproc 2>/dev/null || echo 2)
build() { # build directory, extra CMake options
    local dir=$1
    shift
    cmake -S . -B "$dir" -DCMAKE_BUILD_TYPE=RelWithDebInfo "$@" >/dev/null
    cmake --build "$dir" -j"$jobs"
}

case "$mode" in
run)
    build build
    exec ./build/app/gyrel "$@"
    ;;
test)
    build build
    QT_QPA_PLATFORM=offscreen ctest --test-dir build --output-on-failure -j"$jobs"
    ;;
sanitize)
    build build-sanitize -DGYREL_SANITIZE=ON -DGYREL_BENCH=OFF
    export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
    export LSAN_OPTIONS=suppressions=$PWD/.ci/lsan.supp:print_suppressions=0
    export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
    QT_QPA_PLATFORM=offscreen ctest --test-dir build-sanitize --output-on-failure -j"$jobs"
    ;;
bench)
    build build
    for b in build/bench/*_bench; do "$b"; done
    ;;
fuzz)
    # clang with libFuzzer, AddressSanitizer and UndefinedBehaviorSanitizer;
    # the seed files and every input kept from earlier runs start each
    # reader: construction files, then macro files, each for the seconds.
    CC=clang CXX=clang++ cmake -S . -B build-fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo \
        -DGYREL_FUZZ=ON -DGYREL_TESTS=OFF -DGYREL_BENCH=OFF >/dev/null
    cmake --build build-fuzz -j"$jobs" --target reader_fuzz macro_fuzz expression_fuzz ggb_fuzz
    work=$(mktemp -d)
    trap 'rm -rf "$work"' EXIT
    for target in io/fuzz/reader_fuzz macros/fuzz/macro_fuzz core/fuzz/expression_fuzz \
        io/ggbfuzz/ggb_fuzz; do
        dir=tests/${target%/*}
        # GeoGebra files are larger than records.
        length=4096
        [ "$target" = io/ggbfuzz/ggb_fuzz ] && length=32768
        mkdir -p "$work/$target"
        if ! "./build-fuzz/tests/$target" "$work/$target" "$dir/corpus" "$dir/crashes" \
            -max_total_time="${1:-60}" -max_len="$length" -artifact_prefix="$work/" \
            -print_final_stats=1 >"$work/log" 2>&1; then
            # The report and the input that failed, to be kept in
            # $dir/crashes once the fault is mended.
            grep -v '^#[0-9]' "$work/log" | tail -n 60
            for input in "$work"/crash-* "$work"/leak-* "$work"/timeout-* "$work"/oom-*; do
                [ -e "$input" ] && { echo "$input:"; od -A d -c "$input" | head -n 80; }
            done
            exit 1
        fi
        tail -n 12 "$work/log"
    done
    ;;
install)
    build build
    prefix=${1:-$HOME/.local}
    cmake --install build --prefix "$prefix"
    # The desktop learns of the new program, its file type and its icon.
    update-mime-database "$prefix/share/mime" || true
    update-desktop-database "$prefix/share/applications" || true
    command -v gtk-update-icon-cache >/dev/null &&
        gtk-update-icon-cache -q -t "$prefix/share/icons/hicolor" || true
    echo "Gyrel is installed in $prefix (start it with $prefix/bin/gyrel or from the menu)."
    ;;
*)
    echo "usage: ./build.sh run|test|sanitize|bench|fuzz|install" >&2
    exit 2
    ;;
esac
