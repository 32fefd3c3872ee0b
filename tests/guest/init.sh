#!/bin/busybox sh
# The guest's init: loads the sequencer's modules, mounts the host's / read-only (over 9p), gives
# it writable /tmp, /run and /dev/shm, mounts the results folder at /tmp/results and runs
# /tmp/results/job.sh in it as root; its exit status goes to /tmp/results/status. Then powers off.
/bin/busybox --install -s /bin
mount -t proc proc /proc
mount -t sysfs sys /sys
mount -t devtmpfs dev /dev
while read -r module parameters; do
    insmod "/modules/$module" $parameters || echo "guest: insmod $module failed"
done </modules/order

mount -t 9p -o trans=virtio,version=9p2000.L,ro,cache=loose hostroot /host || echo "guest: cannot mount the host's /"
mount -t proc proc /host/proc
mount -t sysfs sys /host/sys
mount -t devtmpfs dev /host/dev
# What udev would add: bash's process substitution needs /dev/fd.
ln -s /proc/self/fd /host/dev/fd
ln -s /proc/self/fd/0 /host/dev/stdin
ln -s /proc/self/fd/1 /host/dev/stdout
ln -s /proc/self/fd/2 /host/dev/stderr
for dir in /tmp /run /dev/shm /root; do
    mkdir -p "/host$dir" 2>/dev/null
    mount -t tmpfs -o mode=1777 tmpfs "/host$dir"
done
mkdir -p /host/tmp/results
mount -t 9p -o trans=virtio,version=9p2000.L results /host/tmp/results || echo "guest: cannot mount the results folder"
# The job's working folder, at its own path: under /tmp the tmpfs above hides the host's copy.
work=$(cat /host/tmp/results/workdir)
mkdir -p "/host$work" 2>/dev/null
mount -t 9p -o trans=virtio,version=9p2000.L,ro,cache=loose work "/host$work" || echo "guest: cannot mount the working folder"

echo "guest: ready"
chroot /host /bin/bash -c 'cd /tmp && HOME=/root TMPDIR=/tmp bash /tmp/results/job.sh; echo $? >/tmp/results/status'
sync
reboot -f
