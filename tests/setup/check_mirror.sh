#!/bin/sh
# The setup's install through a Debian mirror caught mid-sync, as one was
# met: the security suite's i386 list not read, so the amd64 linux-libc-dev
# installed here (6.1.187-1) and the only i386 one (6.1.176-1) cannot be
# twins, nor can the i386 libgstreamer-plugins-base1.0-0 installed here and
# the newest amd64 one, and apt finds no solution. Stand-ins for apt-get, apt-cache,
# dpkg-query and dpkg on PATH answer as that machine did; nothing is
# installed and the network is not used.
# usage: check_mirror.sh SOURCE_DIR SCRATCH_DIR
src=$(cd "$1" && pwd); scratch=$2
fail() { echo "$*"; exit 1; }
rm -rf "$scratch" && mkdir -p "$scratch/bin" || exit 1
bin=$scratch/bin

# What is installed: PACKAGE ARCH VERSION MULTI-ARCH SOURCE
cat >"$scratch/installed" <<'EOF'
linux-libc-dev amd64 6.1.187-1 same linux
libc6 amd64 2.36-9+deb12u14 same glibc
libc6 i386 2.36-9+deb12u14 same glibc
libgstreamer-plugins-base1.0-0 i386 1.22.0-3+deb12u6 same gst-plugins-base1.0
bash amd64 5.2.15-2+b7 foreign bash
EOF
# What the lists hold, as apt-cache madison prints it.
cat >"$scratch/lists" <<'EOF'
linux-libc-dev | 6.1.194-1 | http://deb.debian.org/debian-security bookworm-security/main amd64 Packages
linux-libc-dev | 6.1.176-1 | http://deb.debian.org/debian bookworm/main amd64 Packages
linux-libc-dev:i386 | 6.1.176-1 | http://deb.debian.org/debian bookworm/main i386 Packages
libc6 | 2.36-9+deb12u14 | http://deb.debian.org/debian bookworm/main amd64 Packages
libc6:i386 | 2.36-9+deb12u14 | http://deb.debian.org/debian bookworm/main i386 Packages
libgstreamer-plugins-base1.0-0 | 1.22.0-3+deb12u7 | http://deb.debian.org/debian-security bookworm-security/main amd64 Packages
libgstreamer-plugins-base1.0-0 | 1.22.0-3+deb12u6 | http://deb.debian.org/debian bookworm/main amd64 Packages
libgstreamer-plugins-base1.0-0:i386 | 1.22.0-3+deb12u6 | http://deb.debian.org/debian bookworm/main i386 Packages
bash | 5.2.15-2+b7 | http://deb.debian.org/debian bookworm/main amd64 Packages
EOF

# The stand-ins read and write the scratch folder.
export FAKE_DIR="$scratch"
cat >"$bin/dpkg-query" <<'EOF'
#!/bin/sh
# dpkg-query -W -f FORMAT [PACKAGE...]
format=$3; shift 3
awk -v format="$format" -v names=" $* " '
  names != "  " && index(names, " " $1 " ") == 0 { next }
  { out = format
    gsub(/\$\{db:Status-Abbrev\}/, "ii ", out); gsub(/\$\{Package\}/, $1, out); gsub(/\$\{Architecture\}/, $2, out)
    gsub(/\$\{Version\}/, $3, out); gsub(/\$\{Multi-Arch\}/, $4, out)
    gsub(/\$\{source:Package\}/, $5, out)
    printf "%s", out }' "$FAKE_DIR/installed"
EOF
cat >"$bin/apt-cache" <<'EOF'
#!/bin/sh
# apt-cache madison PACKAGE...
shift
for p in "$@"; do grep "^$p |" "$FAKE_DIR/lists"; done
exit 0
EOF
cat >"$bin/dpkg" <<'EOF'
#!/bin/sh
[ "$1" = --print-architecture ] && { echo amd64; exit 0; }
exec /usr/bin/dpkg "$@"
EOF
# apt-get install: no solution unless both pairs are held at the version
# both architectures have (then it is "installed": the downgrade lands).
cat >"$bin/apt-get" <<'EOF'
#!/bin/sh
echo "apt-get $*" >>"$FAKE_DIR/apt-get.log"
prefs=$(echo "$*" | sed -n 's/.*Dir::Etc::Preferences=\([^ ]*\).*/\1/p')
if [ -n "$prefs" ] && [ -z "${APT_STILL_BROKEN:-}" ]; then
  cp "$prefs" "$FAKE_DIR/prefs"
  if grep -q 'Package: linux-libc-dev linux-libc-dev:i386' "$prefs" &&
     grep -q 'Pin: version 6.1.176-1' "$prefs" && grep -q 'Pin: version 1.22.0-3+deb12u6' "$prefs"; then
    sed -i 's/^linux-libc-dev amd64 6.1.187-1/linux-libc-dev amd64 6.1.176-1/' "$FAKE_DIR/installed"
    exit 0
  fi
fi
echo "E: Unable to correct problems, you have held broken packages." >&2
exit 100
EOF
chmod +x "$bin"/*

# The install gets through: only the two pairs are held, at the version both
# architectures have, their sources' other packages preferred at it, and one
# line says what was done.
out=$(PATH="$bin:$PATH" sh -c ". '$src/scripts/apt.sh'; apt_install wine32:i386 libwine-dev:i386" 2>&1)
rc=$?
[ $rc = 0 ] || fail "the install failed ($rc): $out"
line=$(echo "$out" | grep '^setup:')
expected="setup: Debian's amd64 and i386 lists disagree on 2 Multi-Arch: same packages (a mirror caught mid-sync?); installed with each held at the newest version both have; downgraded: linux-libc-dev 6.1.187-1 to 6.1.176-1"
[ "$line" = "$expected" ] || fail "said: $line
expected: $expected"
[ "$(echo "$out" | grep -c '^setup:')" = 1 ] || fail "more than one line: $out"
expected_prefs="Package: libgstreamer-plugins-base1.0-0 libgstreamer-plugins-base1.0-0:i386
Pin: version 1.22.0-3+deb12u6
Pin-Priority: 1001

Package: linux-libc-dev linux-libc-dev:i386
Pin: version 6.1.176-1
Pin-Priority: 1001

Package: src:gst-plugins-base1.0
Pin: version 1.22.0-3+deb12u6
Pin-Priority: 990

Package: src:linux
Pin: version 6.1.176-1
Pin-Priority: 990"
[ "$(cat "$scratch/prefs")" = "$expected_prefs" ] || fail "apt's preferences were:
$(cat "$scratch/prefs")"
grep -q -- '--allow-downgrades wine32:i386 libwine-dev:i386$' "$scratch/apt-get.log" ||
  fail "the second install did not allow the downgrade: $(cat "$scratch/apt-get.log")"
[ "$(wc -l <"$scratch/apt-get.log")" = 2 ] || fail "apt-get ran other than twice: $(cat "$scratch/apt-get.log")"

# When even that finds no solution, the setup fails and says what to do.
sed -i 's/^linux-libc-dev amd64 6.1.176-1/linux-libc-dev amd64 6.1.187-1/' "$scratch/installed"
out=$(APT_STILL_BROKEN=1 PATH="$bin:$PATH" sh -c ". '$src/scripts/apt.sh'; apt_install wine32:i386" 2>&1)
rc=$?
[ $rc = 1 ] || fail "a failed install returned $rc: $out"
echo "$out" | grep -q "^setup: installing wine32:i386 failed.*run scripts/setup.sh again later" ||
  fail "the failure does not say what to do: $out"
echo "the setup gets through a mirror caught mid-sync, and says what it did"
