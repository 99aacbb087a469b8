#!/usr/bin/env bash
# Runs every benchmark in one go and prints one table: each figure with its anchor measured in
# the same run, the ratio of the medians and the target.
#   tools/run-benchmarks.sh [rounds]          (default 5 rounds per figure)
# Build folders and the Wine state folder can be moved with SETUP_BENCH_WIN_BUILD,
# SETUP_BENCH_NATIVE_BUILD and SETUP_BENCH_STATE. Needs makensis (Debian's nsis package).
set -euo pipefail
case ${1-} in -h | --help) echo "usage: tools/run-benchmarks.sh [ROUNDS] (runs every benchmark, 5 rounds per figure by default)"; exit 0 ;; esac
cd "$(dirname "$0")/.."
root=$(pwd)
rounds=${1:-5}
win_build=${SETUP_BENCH_WIN_BUILD:-build/win}
native_build=${SETUP_BENCH_NATIVE_BUILD:-build/native}
state=${SETUP_BENCH_STATE:-$root/build/bench-wine}
work=$root/build/bench-work
figures=$work/figures.txt

echo "== building" >&2
cmake --preset windows -B "$win_build" >/dev/null
cmake --build "$win_build" -j2 --target Setup install_bench uninstall_bench launch_bench \
  minimal_window startup_profile sample_package >/dev/null
cmake --preset native -B "$native_build" >/dev/null
cmake --build "$native_build" -j2 --target xls_read_bench xls_fixtures >/dev/null

rm -rf "$work"
mkdir -p "$work"
: >"$figures"

# The NSIS peer: the same payload shape (2,000 files of 100,000 bytes in 20 folders), stored
# uncompressed, installed silently.
echo "== building the NSIS installer" >&2
/usr/bin/python3 - "$work/nsis-payload" <<'EOF'
import os, sys
root = sys.argv[1]
block = bytes((i * 7 + 1) & 0xFF for i in range(100_000))
for f in range(20):
    os.makedirs(os.path.join(root, f"Folder{f}"), exist_ok=True)
for i in range(2000):
    with open(os.path.join(root, f"Folder{i % 20}", f"file{i}.dat"), "wb") as out:
        out.write(block)
EOF
cat >"$work/nsis-bench.nsi" <<'EOF'
Name "KestraBench"
OutFile "nsis-bench.exe"
SetCompress off
SilentInstall silent
RequestExecutionLevel admin
InstallDir "C:\nsis-bench\KestraBench"
Section
  SetOutPath "$INSTDIR"
  File /r "nsis-payload\*"
SectionEnd
EOF
(cd "$work" && makensis -V1 nsis-bench.nsi >/dev/null)
nsis_installer="Z:$(echo "$work/nsis-bench.exe" | tr / '\\')"

echo "== starting Wine in $state" >&2
tests/wine/wine-fixture start "$state"
trap 'tests/wine/wine-fixture stop "$state"' EXIT
# Wine's menu builder, a program Wine starts for every shortcut saved to mirror it on the Linux
# desktop, has no counterpart on Windows: it is left out so the shortcuts cost what they would.
run_wine() {
  SETUP_WINE_STATE=$state SETUP_WINE_MORE_OVERRIDES="winemenubuilder.exe=d" \
    "$win_build/wine-run" "$@"
}

echo "== install (in-process worker, CopyFileW loop, NSIS)" >&2
run_wine "$win_build/install_bench.exe" "$rounds" "$nsis_installer" | tee -a "$figures" >&2
echo "== uninstall" >&2
run_wine "$win_build/uninstall_bench.exe" 2000 "$rounds" | tee -a "$figures" >&2
echo "== launch and wizard install" >&2
package="Z:$(cd "$win_build/sample-package" && pwd | tr / '\\')"
run_wine "$win_build/launch_bench.exe" "$package" "$rounds" 3 | tee -a "$figures" >&2
echo "== start-up, step by step (a fresh process each round)" >&2
profile_package=$work/profile-package
cp -a "$win_build/sample-package" "$profile_package"
cp "$win_build/startup_profile.exe" "$profile_package/"
for _ in $(seq 1 "$rounds"); do
  run_wine "$profile_package/startup_profile.exe" | tr -d '\r' >>"$work/profile.txt"
done
echo "== reading the workbook natively" >&2
"$native_build/bench/xls_read_bench" | tee "$work/xls.txt" >&2
sed -n 's/^[0-9]* runs: min \([0-9.]*\) ms, median \([0-9.]*\) ms$/figure xls_read min \1 median \2 rounds 200/p' \
  "$work/xls.txt" >>"$figures"

# One row: figure, its anchor (or "-"), the target, and how the ratio is read.
/usr/bin/python3 - "$figures" "$(uptime)" <<'EOF'
import sys
figures = {}
for line in open(sys.argv[1]):
    parts = line.split()
    if len(parts) >= 6 and parts[0] == "figure":
        figures[parts[1]] = (float(parts[3]), float(parts[5]))

def cell(name, unit="ms"):
    if name not in figures:
        return "n/a", "n/a"
    low, mid = figures[name]
    return f"{low:,.1f} {unit}", f"{mid:,.1f} {unit}"

def ratio(name, anchor):
    if name in figures and anchor in figures:
        return f"{figures[name][1] / figures[anchor][1]:.2f}×"
    return "n/a"

rows = [
    ("install worker, in-process (2,000 files / 200 MB)", "install_worker", "copyfilew_loop", "≤ 1.15×"),
    ("install worker, copy step only", "install_copy_step", "copyfilew_loop", "(like for like)"),
    ("copy step with the run's log kept (a line a file)", "install_copy_step_logged", "install_copy_step", "≤ 1.05×"),
    ("install worker, in-process", "install_worker", "nsis_install", "< 1.00× (faster)"),
    ("Setup.exe wizard: Install click to finish page", "wizard_install", "nsis_install", "(whole program)"),
    ("permissions by handle on the installed tree (in the worker)", "permissions_on_payload_tree", "install_worker", "(share)"),
    ("permissions by handle on the backup folder (in the worker)", "permissions_on_empty_folder", "install_worker", "(share)"),
    ("install step: scripts and macros backup", "install_step_scripts_backup", "install_worker", "(share)"),
    ("install step: payload copy with its permissions", "install_step_copy_files", "install_worker", "(share)"),
    ("install step: uninstall entry", "install_step_uninstall_entry", "install_worker", "(share)"),
    ("install step: start-up value", "install_step_startup_value", "install_worker", "(share)"),
    ("install step: shortcuts", "install_step_shortcuts", "install_worker", "(share)"),
    ("install step: private key", "install_step_private_key", "install_worker", "(share)"),
    ("install step: setup program to its backup folder", "install_step_setup_to_backup", "install_worker", "(share)"),
    ("install step: backup folder permissions", "install_step_secure_backup", "install_worker", "(share)"),
    ("install step: record file", "install_step_record_file", "install_worker", "(share)"),
    ("uninstall worker, in-process (same payload shape)", "uninstall_worker", "deletefilew_loop", "≤ 1.2×"),
    ("launch to the welcome page painted (holds the 1 s start timer)", "launch_setup_welcome", "launch_minimal_window", "≤ 1.5×"),
    ("launch to the preparation window painted (start-up, texts, every page built)", "launch_setup_prepare", "launch_minimal_window", "≤ 1.3×"),
    ("reading a 1,001-row × 35-column workbook (native)", "xls_read", None, "≤ 10 ms"),
    ("peak working set of Setup.exe during the install", "setup_peak_working_set_mb", None, "≤ 30 MB"),
    ("peak working set of Setup.exe during the install, against the minimal window's", "setup_peak_working_set_mb", "minimal_window_peak_working_set_mb", "(anchor: a minimal window)"),
    ("peak working set of Setup.exe on the welcome page", "setup_welcome_peak_working_set_mb", "minimal_window_peak_working_set_mb", "(anchor: a minimal window)"),
    ("private memory committed by Setup.exe on the finish page", "setup_finish_private_mb", "minimal_window_private_mb", "(anchor: a minimal window)"),
    ("private memory committed by Setup.exe on the welcome page", "setup_welcome_private_mb", "minimal_window_private_mb", "(anchor: a minimal window)"),
]
print("| figure | min | median | anchor | anchor median | ratio | target |")
print("| --- | --- | --- | --- | --- | --- | --- |")
for title, name, anchor, target in rows:
    unit = "MB" if name.endswith("_mb") else "ms"
    low, mid = cell(name, unit)
    anchor_mid = cell(anchor, "MB" if anchor and anchor.endswith("_mb") else "ms")[1] if anchor else "-"
    print(f"| {title} | {low} | {mid} | {anchor or '-'} | {anchor_mid} | "
          f"{ratio(name, anchor) if anchor else '-'} | {target} |")
welcome, prepare = figures.get("launch_setup_welcome"), figures.get("launch_setup_prepare")
if welcome and prepare:
    print(f"| welcome page after the preparation window's 1 s timer (medians) | - | "
          f"{welcome[1] - prepare[1] - 1000:,.1f} ms | - | - | - | ≤ 100 ms |")
print(f"\nload: {sys.argv[2].strip()}")
EOF

# The start-up step by step: the median of each step over the rounds.
/usr/bin/python3 - "$work/profile.txt" <<'EOF'
import statistics, sys
steps = {}
for line in open(sys.argv[1]):
    parts = line.split()
    if len(parts) == 3 and parts[0] == "step":
        steps.setdefault(parts[1], []).append(float(parts[2]))
if steps:
    print("\n| start-up step (in-process, before the preparation window is painted) | median | min |")
    print("| --- | --- | --- |")
    for name, values in steps.items():
        print(f"| {name} | {statistics.median(values):,.1f} ms | {min(values):,.1f} ms |")
EOF
