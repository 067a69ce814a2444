#!/usr/bin/env bash
# Installs the Debian packages a build needs, only those that are missing.
# Usage: scripts/install-deps.sh [native] [windows] [fuzz] [coverage]   (default: native)
set -euo pipefail

# librsvg's converter and a font turn the demo's picture into a PNG (CI checks it renders cleanly).
native=(cmake ninja-build g++ make libgtest-dev libgmock-dev googletest libbenchmark-dev libreadline-dev
        nlohmann-json3-dev librsvg2-bin fonts-dejavu-core)
# MinGW-w64 with the posix thread model, wine to run the programs, the
# GoogleTest sources (googletest) that the Windows build compiles itself, and
# the header-only JSON library of the console.
windows=(cmake ninja-build g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64 wine wine64 googletest
         nlohmann-json3-dev)
# clang with libFuzzer and the sanitizers' runtimes, for the fuzz targets.
fuzz=(cmake ninja-build clang-14 libclang-rt-14-dev)
# gcovr turns gcc's coverage counters into the report of scripts/coverage.sh.
coverage=(gcovr)

kinds=("$@")
[ ${#kinds[@]} -eq 0 ] && kinds=(native)
wanted=()
for kind in "${kinds[@]}"; do
  case "$kind" in
    native) wanted+=("${native[@]}") ;;
    windows) wanted+=("${windows[@]}") ;;
    fuzz) wanted+=("${fuzz[@]}") ;;
    coverage) wanted+=("${coverage[@]}") ;;
    *) echo "install-deps: unknown kind '$kind' (native, windows, fuzz or coverage)" >&2; exit 2 ;;
  esac
done

missing=()
for pkg in "${wanted[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q "install ok installed"; then
    case " ${missing[*]} " in *" $pkg "*) ;; *) missing+=("$pkg") ;; esac
  fi
done
if [ ${#missing[@]} -eq 0 ]; then
  echo "install-deps: all packages present (${kinds[*]})"
  exit 0
fi

sudo=()
if [ "$(id -u)" -ne 0 ]; then
  command -v sudo >/dev/null || { echo "install-deps: need root (or sudo) to install: ${missing[*]}" >&2; exit 1; }
  sudo=(sudo)
fi
echo "install-deps: installing ${missing[*]}"
apt_opts=(-o DPkg::Lock::Timeout=600 -o Acquire::Retries=3)
"${sudo[@]}" apt-get "${apt_opts[@]}" update -q
"${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get "${apt_opts[@]}" install -y -q "${missing[@]}"
