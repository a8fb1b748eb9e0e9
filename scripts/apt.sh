# Sourced by the setup scripts: apt_update reads Debian's package lists.
# Mirrors are sometimes caught mid-sync ("File has unexpected size"): the
# lists are read again a few times, and after that the lists already here
# serve, so the install itself says what is missing.
apt_update() {
  for try in 1 2 3; do
    apt-get update -qq && return 0
    echo "setup: reading Debian's package lists failed (try $try of 3)" >&2
    sleep 10
  done
  return 0
}
