#!/usr/bin/env bash
# A 2 MiB file system for the full-disk test (room for the exe and its files): scripts/small-disk.sh mount|unmount DIR.
# Mounting needs root; without it the test that wants the disk skips itself.
set -u
action=$1
dir=$2
case "$action" in
  mount)
    mkdir -p "$dir"
    mountpoint -q "$dir" && exit 0
    if ! mount -t tmpfs -o size=2m tmpfs "$dir" 2>/dev/null; then
      echo "small-disk: cannot mount a file system at $dir; the full-disk test will skip"
    fi
    ;;
  unmount)
    if mountpoint -q "$dir"; then umount "$dir"; fi
    ;;
  *)
    echo "usage: $0 mount|unmount DIR" >&2
    exit 2
    ;;
esac
exit 0
