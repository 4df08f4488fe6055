#!/usr/bin/env bash
# The installed program as a user meets it: a copy of the install tree put elsewhere (so nothing
# can lean on the build tree or on the prefix it was installed to), started from another
# working directory with a fresh HOME, runs the shipped I-V example headless on the simulator.
# Usage: installed_program_test.sh PREFIX "VERSION LINE"
set -euo pipefail
prefix=$1
version_line=$2

fail() { echo "FAIL: $*" >&2; exit 1; }

scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
cp -a "$prefix" "$scratch/moved"
mkdir "$scratch/home" "$scratch/cwd"
installed="$scratch/moved"
program="$installed/bin/tarvix4140"
run() { (cd "$scratch/cwd" && env -u XDG_DATA_HOME -u LD_LIBRARY_PATH HOME="$scratch/home" "$@"); }

# libquenta comes from the moved tree, found through the RPATH alone.
for binary in "$program" $(find "$installed" -name libquenta_designer.so); do
    libraries=$(ldd "$binary")
    [[ "$libraries" == *"libquenta.so."*" => $installed/"* ]] ||
        fail "$binary does not load libquenta from its own tree: $libraries"
done

[ "$(run "$program" --version)" = "$version_line" ] || fail "--version is not '$version_line'"

find "$installed" | sort >"$scratch/before"
run "$program" --driver sim --dry-run \
    --run "$installed/share/tarvix-4140/config/IV_diode_sweep.ini" \
    --data "$scratch/home/iv.txt" || fail "the headless run exited with $?"

[ "$(wc -l <"$scratch/home/iv.txt")" -eq 22 ] || fail "the data file lacks the 21 readings"
seeded="$scratch/home/.local/share/tarvix-4140/config"
for example in "$installed"/share/tarvix-4140/config/*.ini; do
    name=$(basename "$example")
    cmp -s "$example" "$seeded/$name" || fail "$seeded lacks $name"
done
[ -z "$(ls -A "$scratch/cwd")" ] || fail "the run wrote into its working directory"
find "$installed" | sort | diff "$scratch/before" - || fail "the run wrote into the install tree"
echo "ok: $version_line ran from $installed with HOME=$scratch/home"
