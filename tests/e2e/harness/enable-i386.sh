#!/usr/bin/env bash
# Makes 32-bit x86 Linux programs (Wine's i386 loader and wineserver) run.
# Some virtual machines have no 32-bit compatibility mode: execve of an i386
# ELF fails with "Exec format error". There the programs run under QEMU's
# user-mode emulator, registered with binfmt_misc. Idempotent; does nothing
# where i386 programs already run. Needs root (uses sudo otherwise).
set -euo pipefail
SUDO=""; [ "$(id -u)" = 0 ] || SUDO=sudo

probe() { /lib/ld-linux.so.2 --version >/dev/null 2>&1; }
if probe; then exit 0; fi
if [ ! -e /lib/ld-linux.so.2 ]; then
  echo "enable-i386: /lib/ld-linux.so.2 missing (is libc6:i386 installed?)" >&2; exit 1
fi

if ! dpkg-query -W -f='${Status}' qemu-user-static 2>/dev/null | grep -q 'install ok installed'; then
  $SUDO apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq qemu-user-static
fi
misc=/proc/sys/fs/binfmt_misc
if [ ! -e "$misc/register" ]; then
  $SUDO mount -t binfmt_misc binfmt_misc "$misc"
fi
if [ ! -e "$misc/qemu-i386" ]; then
  # ELF32, little endian, executable or shared object, machine i386; the
  # OS/ABI byte is ignored. F: the interpreter is opened now, so it works
  # inside other mount namespaces and chroots too.
  printf '%s' ':qemu-i386:M::\x7fELF\x01\x01\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00\x02\x00\x03\x00:\xff\xff\xff\xff\xff\xfe\xfe\x00\xff\xff\xff\xff\xff\xff\xff\xff\xfe\xff\xff\xff:/usr/bin/qemu-i386-static:F' \
    | $SUDO tee "$misc/register" >/dev/null
fi
if probe; then
  echo "enable-i386: i386 programs run under qemu-i386-static (emulated, slow)" >&2
else
  echo "enable-i386: i386 programs still do not run" >&2; exit 1
fi
