#!/usr/bin/env bash
# Runs storage_disk_full.scn with a 64 KiB tmpfs mounted at ${DISK}, nearly
# filled, and a lyric file too large for what is left at ${BIG}.
#   run_disk_full.sh RUN_SCENARIO PLAYER SCENARIO BUILD_DIR FIXTURES EN_DLL
set -euo pipefail

runner=$1 player=$2 scenario=$3 build=$4 fixtures=$5 english=$6

disk=$build/disk
mkdir -p "$disk"
if mountpoint -q "$disk"; then umount "$disk"; fi
if ! mount -t tmpfs -o size=64k tmpfs "$disk" 2>/dev/null; then
  echo "SKIPPED: mounting a tmpfs is not permitted here (needs root); the full-disk save is not tested"
  exit 77
fi
trap 'umount "$disk" 2>/dev/null || true' EXIT

# 40 000 bytes of filler leave about 20 KiB; the big lyric needs about 40 KiB.
head -c 40000 /dev/zero > "$disk/filler.bin"
big=$build/big.lrc
: > "$big"
for i in $(seq 0 799); do
  printf '[%02d:%02d.00]line %03d of a lyric that does not fit on the disk\r\n' $((i / 60 % 100)) $((i % 60)) "$i" >> "$big"
done

export DISK=$disk BIG=$big
status=0
bash "$runner" "$player" "$scenario" "$build/work/storage_disk_full" "$fixtures" "$english" "" || status=$?

# Nothing may stay behind but the filler and the lyric file.
left=$(cd "$disk" && ls -A | sort | tr '\n' ' ')
if [[ $left != "filler.bin song.lrc " ]]; then
  echo "$scenario: the disk holds \"$left\", expected \"filler.bin song.lrc \""
  status=1
fi
exit $status
