#!/usr/bin/env bash
# Installs the normal build into a fresh prefix and uses it the way a client project does:
# checks the installed layout and the library's soname links, compiles every installed header
# on its own, builds and runs the consumers in tests/consumer/ (one through find_package, one
# through pkg-config), and checks the installed library's exported symbols. Then builds the
# Debian packages with cpack, checks what each holds and builds the find_package consumer
# against their unpacked contents.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/deps.sh
bash scripts/configure.sh build >/dev/null

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
prefix=$work/prefix
libdir=$(sed -n 's/^CMAKE_INSTALL_LIBDIR:PATH=//p' build/CMakeCache.txt)
cxxflags=(-std=c++20 -Wall -Wextra -Wpedantic -Werror)

fail() {
  echo "install check: $*" >&2
  exit 1
}

echo "-- install into $prefix"
cmake --install build --prefix "$prefix" >/dev/null
for file in include/dayweave/dayweave.h "$libdir/cmake/dayweave/dayweaveConfig.cmake" \
  "$libdir/cmake/dayweave/dayweaveConfigVersion.cmake" "$libdir/pkgconfig/dayweave.pc"; do
  [ -f "$prefix/$file" ] || fail "$file is not installed"
done
soname=$(readelf -d "$prefix/$libdir/libdayweave.so" | sed -n 's/.*Library soname: \[\(.*\)\]/\1/p')
[ -L "$prefix/$libdir/libdayweave.so" ] && [ -L "$prefix/$libdir/$soname" ] ||
  fail "libdayweave.so and $soname should be links to the versioned library"
[ -x "$prefix/bin/dayweave" ] || fail "the agent bin/dayweave is not installed"
[[ $(ldd "$prefix/bin/dayweave") == *"$prefix/"*"/$soname "* ]] ||
  fail "the installed agent does not find the installed library"
"$prefix/bin/dayweave" --help >/dev/null || fail "the installed agent does not run"

echo "-- every installed header compiles on its own"
for header in "$prefix"/include/dayweave/*.h; do
  echo "#include <dayweave/$(basename "$header")>" |
    g++ "${cxxflags[@]}" -fsyntax-only -I"$prefix/include" -x c++ - ||
    fail "$(basename "$header") does not compile on its own"
done

echo "-- consumer through find_package"
cmake -S tests/consumer/cmake -B "$work/cmake" -DCMAKE_PREFIX_PATH="$prefix" >/dev/null
cmake --build "$work/cmake" >/dev/null
"$work/cmake/cmake_consumer"

echo "-- consumer through pkg-config"
mkdir "$work/pkgconfig"
PKG_CONFIG_PATH="$prefix/$libdir/pkgconfig" \
  make -s -f tests/consumer/pkgconfig/Makefile OUT="$work/pkgconfig" CXXFLAGS="${cxxflags[*]}"
"$work/pkgconfig/pkgconfig_consumer"

echo "-- exported symbols"
bash scripts/check-exports.sh "$prefix/$libdir/libdayweave.so" "$prefix/include/dayweave"

echo "-- Debian packages"
packaging=$(cd build && cpack -G DEB -B "$work/deb" 2>&1) || fail "cpack failed: $packaging"
runtime=$(ls "$work"/deb/dayweave_*.deb)
dev=$(ls "$work"/deb/dayweave-dev_*.deb)
runtime_files=$(dpkg-deb -c "$runtime")
dev_files=$(dpkg-deb -c "$dev")
grep -q "/$soname -> " <<<"$runtime_files" || fail "the runtime package lacks the library"
grep -q "/bin/dayweave$" <<<"$runtime_files" || fail "the runtime package lacks the agent"
! grep -q "include/\|\.pc$\|cmake/\|libdayweave\.so -> " <<<"$runtime_files" ||
  fail "the runtime package holds development files"
grep -q "include/dayweave/dayweave.h" <<<"$dev_files" || fail "the -dev package lacks the headers"
grep -q "/libdayweave\.so -> " <<<"$dev_files" || fail "the -dev package lacks libdayweave.so"
[[ $(dpkg-deb -f "$dev" Depends) == "dayweave (= "* ]] ||
  fail "the -dev package does not depend on the runtime package"
dpkg-deb -x "$runtime" "$work/root"
dpkg-deb -x "$dev" "$work/root"
cmake -S tests/consumer/cmake -B "$work/cmake-deb" -DCMAKE_PREFIX_PATH="$work/root/usr" >/dev/null
cmake --build "$work/cmake-deb" >/dev/null
"$work/cmake-deb/cmake_consumer" >/dev/null
echo "install check: passed ($(basename "$runtime"), $(basename "$dev"))"
