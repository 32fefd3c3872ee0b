#!/usr/bin/env bash
# Boots Debian's kernel under QEMU (software emulation) with the host's / shared read-only and
# RESULTS writable, and runs a job there as root against a real ALSA sequencer.
#   bash run_guest.sh RESULTS JOB [ARG...]    JOB (a bash script) runs inside as: bash JOB ARG...
# Its output comes through the guest's console; the exit status is the job's, or 1 when QEMU cannot
# run or the guest does not finish within Q7X_GUEST_TIMEOUT seconds (1200).
set -euo pipefail
here=$(dirname "$(readlink -f "$0")")
results=$(mkdir -p "$1" && readlink -f "$1")
job=$(readlink -f "$2")
shift 2

fail() { echo "guest: $*" >&2; exit 1; }

qemu=$(command -v qemu-system-x86_64) || fail "QEMU is not installed (package qemu-system-x86): the guest stage cannot run"
"$qemu" --version >/dev/null 2>&1 || fail "$qemu does not run: the guest stage cannot run"
image=$(bash "$here/prepare_guest.sh") || fail "could not prepare the guest kernel"

rm -f "$results/status"
# The working folder is shared on its own too: the guest's /tmp is a fresh tmpfs, which would hide a
# working folder under the host's /tmp (a CI clone, say).
printf '%s\n' "$PWD" >"$results/workdir"
{
    printf 'cd %q\n' "$PWD"
    printf 'export PATH=%q LANG=C.UTF-8\n' "$PATH"
    printf 'exec bash %q' "$job"
    printf ' %q' "$@"
    echo
} >"$results/job.sh"

# /dev/kvm here cannot run a stock kernel, and QEMU then pauses instead of exiting: always TCG,
# always under timeout.
limit=${Q7X_GUEST_TIMEOUT:-1200}
set +e
timeout -k 10 "$limit" "$qemu" -accel tcg -smp 2 -m 512 -nographic -nic none -no-reboot \
    -kernel "$image/vmlinux" -initrd "$image/initramfs.cpio.gz" \
    -append "console=ttyS0 quiet loglevel=3 panic=-1" \
    -virtfs local,path=/,mount_tag=hostroot,security_model=none,readonly=on,multidevs=remap \
    -virtfs local,path="$results",mount_tag=results,security_model=none,multidevs=remap \
    -virtfs local,path="$PWD",mount_tag=work,security_model=none,readonly=on,multidevs=remap \
    </dev/null 2>&1 | sed -u 's/\r$//'
qemu_status=${PIPESTATUS[0]}
set -e

[ "$qemu_status" -eq 124 ] || [ "$qemu_status" -eq 137 ] && fail "the guest did not finish within $limit s"
[ -s "$results/status" ] || fail "the guest stopped before its job finished (QEMU exit status $qemu_status)"
exit "$(cat "$results/status")"
