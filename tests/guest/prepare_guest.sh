#!/usr/bin/env bash
# Prepares a guest kernel with a real ALSA sequencer: Debian's own kernel (the one linux-image-amd64
# depends on), fetched with apt-get download and unpacked, never installed, and a busybox initramfs
# holding the modules for 9p (the host's / shared read-only) and the sequencer (snd-seq-dummy,
# snd-virmidi). Kept in ~/.cache/q7x-guest/VERSION, so later runs only look the version up.
#   bash prepare_guest.sh        prints the folder holding vmlinux, initramfs.cpio.gz and init
set -euo pipefail

fail() { echo "prepare_guest: $*" >&2; exit 1; }

package=$(apt-cache depends linux-image-amd64 2>/dev/null | sed -n 's/^ *Depends: \(linux-image-[0-9].*\)$/\1/p' | head -n 1)
[ -n "$package" ] || fail "apt-cache knows no kernel that linux-image-amd64 depends on (apt-get update?)"
version=${package#linux-image-}
cache=${XDG_CACHE_HOME:-$HOME/.cache}/q7x-guest/$version
init_source=$(dirname "$(readlink -f "$0")")/init.sh

# The init script is part of the image: a changed one makes a new image.
if [ -s "$cache/vmlinux" ] && [ -s "$cache/initramfs.cpio.gz" ] && cmp -s "$init_source" "$cache/init"; then
    echo "$cache"
    exit 0
fi

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
(cd "$work" && apt-get download -q -o APT::Sandbox::User=root "$package" >&2) || fail "apt-get download $package failed"
dpkg-deb -x "$work"/linux-image-*.deb "$work/root"

# The uncompressed kernel boots in half the time: cut it from the image at the xz magic.
image=$work/root/boot/vmlinuz-$version
offset=$(LC_ALL=C grep -obUaP '\xfd7zXZ\x00' "$image" | head -n 1 | cut -d: -f1 || true)
[ -n "$offset" ] || fail "no xz stream in $image"
tail -c +$((offset + 1)) "$image" | xz -dc --single-stream >"$work/vmlinux" 2>/dev/null || true
[ "$(head -c 4 "$work/vmlinux" | od -An -tx1 | tr -d ' ')" = 7f454c46 ] || fail "could not unpack the kernel from $image"

# The modules in the order insmod needs them, from modprobe's own dependency list.
depmod -b "$work/root" "$version"
ramfs=$work/ramfs
mkdir -p "$ramfs"/{bin,proc,sys,dev,host,modules}
modprobe -a -d "$work/root" -S "$version" --show-depends \
    virtio_pci 9pnet_virtio 9p snd-seq-dummy snd-virmidi snd-seq-midi snd-hrtimer \
    | awk '$1 == "insmod" && ! seen[$2]++ { print $2 }' >"$work/modules.list"
while read -r module; do
    name=$(basename "$module")
    case "$name" in
        *.xz) xz -dc "$module" >"$ramfs/modules/${name%.xz}"; name=${name%.xz} ;;
        *) cp "$module" "$ramfs/modules/$name" ;;
    esac
    # One virtual raw MIDI port is enough, and keeps the editor's device lists short.
    [ "$name" = snd-virmidi.ko ] && name="$name midi_devs=1"
    echo "$name" >>"$ramfs/modules/order"
done <"$work/modules.list"
[ -s "$ramfs/modules/order" ] || fail "modprobe listed no modules"

cp /bin/busybox "$ramfs/bin/busybox"
{ ldd /bin/busybox 2>&1 || true; } | grep -q "not a dynamic" || fail "/bin/busybox is not static (package busybox-static)"
cp "$init_source" "$ramfs/init"
chmod +x "$ramfs/init"
(cd "$ramfs" && find . | busybox cpio -o -H newc 2>/dev/null | gzip -1) >"$work/initramfs.cpio.gz"

mkdir -p "$cache"
mv "$work/vmlinux" "$work/initramfs.cpio.gz" "$cache/"
cp "$init_source" "$cache/init"
echo "$cache"
