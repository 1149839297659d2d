# Shared by the scripts: installs the Debian packages a build needs and
# configures and builds one build directory.

# install_packages PACKAGE...: installs those that are missing, through sudo
# when not root.
install_packages() {
  local missing=()
  for package in "$@"; do
    dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" ||
      missing+=("$package")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  echo "Installing ${missing[*]}"
  local sudo=""
  [ "$(id -u)" -eq 0 ] || sudo="sudo"
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
}

# Qt's Linguist tools compile the windows' translations; Qt's own Polish
# comes from its translations package.
BUILD_PACKAGES=(g++ cmake ninja-build libgtest-dev qt6-base-dev nlohmann-json3-dev qt6-l10n-tools
  qt6-translations-l10n desktop-file-utils appstream dpkg-dev file locales)
# The Windows side: the 64-bit cross compiler with POSIX threads (not the
# mingw-w64 metapackage, 1.2 GB of what is not needed), GoogleTest's sources,
# Wine to run the tests, socat for the terminals their ports are mapped to,
# the Linux compiler for the simulated tester on the far end, NSIS for the
# installer and the Polish locale's source, made for Wine alone in a test;
# the machine's lrelease for the translations, and zip for the zip.
WINDOWS_PACKAGES=(g++-mingw-w64-x86-64-posix cmake ninja-build googletest wine wine64 socat g++ nsis locales
  nlohmann-json3-dev qt6-l10n-tools zip)
# A Qt cross-built for Windows runs the machine's own moc, rcc and uic.
QT_HOST_OPTIONS=(-DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR="/usr/lib/$(uname -m)-linux-gnu/cmake")

# ensure_locale NAME: makes a locale of the machine (pl_PL.UTF-8, say) when
# it is missing, by enabling it in /etc/locale.gen, through sudo when not root.
ensure_locale() {
  local name=$1 normal
  normal=$(echo "$name" | tr 'A-Z' 'a-z' | sed 's/-//g')
  locale -a | tr 'A-Z' 'a-z' | sed 's/-//g' | grep -qx "$normal" && return 0
  echo "Making the locale $name"
  local sudo=""
  [ "$(id -u)" -eq 0 ] || sudo="sudo"
  local line="$name ${name#*.}"
  if grep -q "^# *$line\$" /etc/locale.gen; then
    $sudo sed -i "s/^# *$line\$/$line/" /etc/locale.gen
  elif ! grep -q "^$line\$" /etc/locale.gen; then
    echo "$line" | $sudo tee -a /etc/locale.gen >/dev/null
  fi
  $sudo locale-gen >/dev/null
}

# export_source_date: SOURCE_DATE_EPOCH, the time every file made by a build
# carries (rcc's resources, the packages' files), as the commit's time unless
# given; the same commit gives the same bytes.
export_source_date() {
  export SOURCE_DATE_EPOCH=${SOURCE_DATE_EPOCH:-$(git log -1 --format=%ct 2>/dev/null || echo 0)}
}

# configure_build BUILD_DIR [CMAKE_OPTION...]
configure_build() {
  local dir=$1
  shift
  cmake -S . -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo "$@" >/dev/null
}

# build BUILD_DIR [CMAKE_OPTION...]: every target, the tests included.
build() {
  configure_build "$@"
  cmake --build "$1" -j "$(nproc)"
}

# build_targets BUILD_DIR TARGET...: those targets and what they link, in a
# build directory configured as build does it.
build_targets() {
  local dir=$1
  shift
  configure_build "$dir"
  cmake --build "$dir" -j "$(nproc)" --target "$@"
}

# ini_set FILE SECTION KEY VALUE: sets one key of an INI file, section and key
# names matched regardless of case; every other line of the file stays.
ini_set() {
  local file=$1 section=$2 key=$3 value=$4 temporary
  [ -f "$file" ] || : >"$file"
  temporary=$(mktemp)
  awk -v s="$section" -v k="$key" -v v="$value" '
    function trim(x) { sub(/^[ \t]+/, "", x); sub(/[ \t\r]+$/, "", x); return x }
    /^[ \t]*\[/ {
      if (inside && !done) { print k "=" v; done = 1 }
      name = $0; sub(/^[ \t]*\[/, "", name); sub(/\].*$/, "", name)
      inside = tolower(trim(name)) == tolower(s)
      if (inside) seen = 1
      print; next
    }
    inside && index($0, "=") {
      if (tolower(trim(substr($0, 1, index($0, "=") - 1))) == tolower(k)) {
        if (!done) print k "=" v
        done = 1; next
      }
    }
    { print }
    END { if (!done) { if (!seen) print "[" s "]"; print k "=" v } }
  ' "$file" >"$temporary"
  cat "$temporary" >"$file"
  rm -f "$temporary"
}
