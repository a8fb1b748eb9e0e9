# Sourced by the setup scripts: reading Debian's package lists and
# installing from them, through a mirror that may be caught mid-sync.

# apt_update reads the lists. A mirror mid-sync ("File has unexpected
# size") is read again a few times; after that the lists already here
# serve, and apt_install copes with what they lack.
apt_update() {
  for try in 1 2 3; do
    apt-get update -qq && return 0
    echo "setup: reading Debian's package lists failed (try $try of 3)" >&2
    sleep "${APT_RETRY_SECONDS:-10}"
  done
  return 0
}

# apt_twin_pins prints "PACKAGE VERSION" for each Multi-Arch: same package
# installed here, on either architecture, whose amd64 and i386 versions
# cannot be twins as the lists stand: the newest one of each side differs,
# so apt can install or keep the twin only by holding both at the newest
# version both sides have. (A mirror mid-sync can serve the security
# suite's list of one architecture without the other's: then a security
# update installed on one side has no twin on the other.)
apt_twin_pins() {
  native=$(dpkg --print-architecture)
  installed=$(dpkg-query -W -f '${db:Status-Abbrev} ${Package} ${Architecture} ${Version} ${Multi-Arch}\n' |
    awk -v arch="$native" 'substr($1, 2, 1) == "i" && $5 == "same" && ($3 == arch || $3 == "i386") {
      print $2, $4, ($3 == "i386" ? "i386" : "native") }')
  [ -n "$installed" ] || return 0
  names=$(echo "$installed" | cut -d' ' -f1 | sort -u)
  {
    echo "$installed"
    # shellcheck disable=SC2046
    apt-cache madison $names $(printf '%s:i386\n' $names) |
      awk -F'|' '$3 ~ /Packages *$/ { gsub(/ /, "", $1); gsub(/ /, "", $2)
        n = $1; side = "native"; if (sub(/:i386$/, "", n)) side = "i386"
        print n, $2, side }'
  } | awk '{ if ($3 == "i386") f[$1] = f[$1] " " $2; else n[$1] = n[$1] " " $2 }
      END { for (p in f) if (p in n) print p "|" n[p] " |" f[p] " " }' |
  while IFS='|' read -r pkg mine theirs; do
    newest_mine=$(apt_newest $mine)
    newest_theirs=$(apt_newest $theirs)
    [ "$newest_mine" != "$newest_theirs" ] || continue
    common=""
    for v in $mine; do
      case "$theirs" in *" $v "*) common="$common $v" ;; esac
    done
    [ -z "$common" ] || echo "$pkg $(apt_newest $common)"
  done | sort
}

# apt_newest VERSION... prints the newest of the versions.
apt_newest() {
  newest=$1
  for v in "$@"; do
    dpkg --compare-versions "$v" gt "$newest" && newest=$v
  done
  echo "$newest"
}

# apt_pin_file PAIRS FILE writes apt's preferences for the pairs: each
# package on both architectures held at its version (1001 allows the
# downgrade of an installed one), and the other packages of its source
# preferred at that version, so a package that needs the exact version of
# its sibling follows it instead of being removed.
apt_pin_file() {
  echo "$1" | while read -r pkg version; do
    printf 'Package: %s %s:i386\nPin: version %s\nPin-Priority: 1001\n\n' "$pkg" "$pkg" "$version"
  done > "$2"
  echo "$1" | while read -r pkg version; do
    echo "$(dpkg-query -W -f '${source:Package}\n' "$pkg" | head -n 1) $version"
  done | sort -u | while read -r source version; do
    printf 'Package: src:%s\nPin: version %s\nPin-Priority: 990\n\n' "$source" "$version"
  done >> "$2"
}

# apt_install PACKAGES... installs them without recommends. When apt finds
# no solution and the lists disagree on the version of Multi-Arch: same
# pairs, the pairs are held at the newest version both architectures have
# and the install is tried once more; one line says so and names what was
# downgraded. A failure says what to do.
apt_install() {
  apt-get install -y -qq --no-install-recommends "$@" >/dev/null && return 0
  pins=$(apt_twin_pins)
  if [ -n "$pins" ]; then
    prefs=$(mktemp)
    apt_pin_file "$pins" "$prefs"
    names=$(echo "$pins" | cut -d' ' -f1)
    before=$(dpkg-query -W -f '${Package} ${Version}\n' $names)
    if apt-get -o Dir::Etc::Preferences="$prefs" install -y -qq --no-install-recommends \
        --allow-downgrades "$@" >/dev/null; then
      rm -f "$prefs"
      after=$(dpkg-query -W -f '${Package} ${Version}\n' $names)
      down=$(printf '%s\n' "$before" | while read -r pkg old; do
        new=$(printf '%s\n' "$after" | awk -v p="$pkg" '$1 == p { print $2; exit }')
        [ -z "$new" ] || ! dpkg --compare-versions "$new" lt "$old" || printf ', %s %s to %s' "$pkg" "$old" "$new"
      done)
      down=${down#, }
      echo "setup: Debian's amd64 and i386 lists disagree on $(echo "$pins" | wc -l) Multi-Arch: same" \
        "packages (a mirror caught mid-sync?); installed with each held at the newest version both have;" \
        "downgraded: ${down:-nothing}"
      return 0
    fi
    rm -f "$prefs"
  fi
  echo "setup: installing$(printf ' %s' "$@") failed; apt says above what it changed, if anything." \
    "If a Debian mirror is caught mid-sync, run scripts/setup.sh again later;" \
    "if apt says dpkg was interrupted, run 'dpkg --configure -a' first." >&2
  return 1
}
