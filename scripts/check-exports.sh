#!/usr/bin/env bash
# Checks that libdayweave exports its public interface and nothing else.
#
# The public interface is what the headers mark DAYWEAVE_API: the classes (with their
# members, vtables, typeinfo and thunks) and the free functions of namespace dayweave.
# Every exported defined symbol must belong to it: the linker version script
# (cmake/dayweave.map) keeps everything else local, the standard library's template instances
# included, and nothing may name dayweave::internal. Every marked class and function must also
# be exported, so that a build that exports nothing at all fails too.
#
# Usage: scripts/check-exports.sh [LIBRARY [HEADER_FOLDER]]
#   (default: build/libdayweave.so and include/dayweave)
set -euo pipefail
cd "$(dirname "$0")/.."

lib=${1:-build/libdayweave.so}
headers=${2:-include/dayweave}

public_lines=$(cat "$headers"/*.h | grep -v '^[[:space:]]*//' | grep 'DAYWEAVE_API')
mapfile -t classes < <(grep -oE '(class|struct) DAYWEAVE_API [A-Za-z_][A-Za-z0-9_]*' \
  <<<"$public_lines" | awk '{print $3}' | sort -u)
mapfile -t functions < <(grep -E '^[[:space:]]*DAYWEAVE_API ' <<<"$public_lines" |
  sed -E 's/\(.*//' | awk '{print $NF}' | sed -E 's/^[*&]+//' | sort -u)

declare -A is_class=() is_function=() seen=()
for name in "${classes[@]}"; do is_class[$name]=1; done
for name in "${functions[@]}"; do is_function[$name]=1; done

# Sets `owner` to the public name a demangled symbol belongs to, or to nothing: the class of
# a member or of a class's vtable, typeinfo or thunk, or the name of a free function.
special='^(typeinfo name for|typeinfo for|vtable for|VTT for|construction vtable for|non-virtual thunk to|virtual thunk to|covariant return thunk to|guard variable for) (.*)$'
find_owner() {
  local symbol=$1 rest
  owner=
  [[ $symbol =~ $special ]] && symbol=${BASH_REMATCH[2]}
  [[ $symbol == dayweave::* ]] || return 0
  rest=${symbol#dayweave::}
  if [[ $rest == operator* ]]; then
    owner=${rest%%(*}
  else
    owner=${rest%%[:(< ]*}
  fi
}

bad=()
count=0
while read -r type symbol; do
  count=$((count + 1))
  if [[ $symbol == *dayweave::internal* ]]; then
    bad+=("$type $symbol")
    continue
  fi
  find_owner "$symbol"
  if [ -n "$owner" ] && { [ -n "${is_class[$owner]:-}" ] || [ -n "${is_function[$owner]:-}" ]; }; then
    seen[$owner]=1
  else
    bad+=("$type $symbol")
  fi
done < <(nm -DC --defined-only "$lib" | cut -d' ' -f2-)

status=0
if [ ${#bad[@]} -gt 0 ]; then
  echo "check-exports: $lib exports symbols outside the public interface:" >&2
  printf '  %s\n' "${bad[@]}" >&2
  status=1
fi
for name in "${classes[@]}" "${functions[@]}"; do
  if [ -z "${seen[$name]:-}" ]; then
    echo "check-exports: $lib exports nothing of $name, which the headers mark DAYWEAVE_API" >&2
    status=1
  fi
done
[ $status -eq 0 ] &&
  echo "check-exports: $count exported symbols, all of the public interface (${#classes[@]} classes, ${#functions[@]} free functions)"
exit $status
