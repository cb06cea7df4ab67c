#!/usr/bin/env bash
# Checks that every include of src/ and host/ goes the way the README's
# layout table says (its "May include" column, read from the README itself,
# so the two cannot drift). Prints one line per include against it, as
# FILE:LINE: what is wrong, and fails when there is any.
#   check-includes.sh [SOURCE_DIR]
#
# A file may include its own folder's files, the folders its folder's row
# names (and all that those may include in turn), files named alone in that
# row, what a row of an enclosing folder (host/) names, and any header made
# from an .idl file. Every other quoted include must be a folder-qualified
# path to a file of src/ or host/. A file named alone for a folder (host/
# using src/com/ComHolders.h) may include only what that folder may include
# itself, so nothing more comes in through it.
set -euo pipefail
root=$(cd "${1:-$(dirname "$0")/..}" && pwd)
cd "$root"

declare -A direct   # folder row -> what its "May include" column names
declare -A generated
declare -A allowed  # file's folder -> what it may include, after closure
problems=0

problem() {
    echo "$1"
    problems=$((problems + 1))
}

# The layout table: rows whose first cell is one folder of src/ or host/.
while IFS='|' read -r _ folderCell _ includeCell _; do
    folder=$(grep -o '`[^`]*`' <<<"$folderCell" | tr -d '`' || true)
    [[ $folder =~ ^(src|host)/(.*/)?$ ]] || continue
    direct[$folder]=$(grep -o '`[^`]*`' <<<"$includeCell" | tr -d '`' | grep -E '^(src|host)/' | tr '\n' ' ' || true)
done < <(sed -n '/^## Layout$/,/^## /p' README.md | grep '^| `')
if [ ${#direct[@]} -eq 0 ]; then
    echo "README.md: no layout table with a \"May include\" column under \"## Layout\""
    exit 1
fi

while read -r idl; do
    generated[$(basename "$idl" .idl).h]=1
done < <(find src host -name '*.idl')

# Rows of the folder's enclosing folders (host/ for host/tilohost/).
enclosing_rows() {
    local folder=$1 row
    for row in "${!direct[@]}"; do
        [[ $folder == "$row"* && $folder != "$row" ]] && echo "$row"
    done
    return 0
}

# What files of the folder may include: the folder, and the closure of the
# rows naming folders; files named alone are taken as they are.
closure() {
    local folder=$1 entry row
    local -A seen=([$folder]=1)
    local pending=("$folder")
    while [ ${#pending[@]} -gt 0 ]; do
        entry=${pending[0]}
        pending=("${pending[@]:1}")
        for row in "$entry" $(enclosing_rows "$entry"); do
            for next in ${direct[$row]:-}; do
                [ -n "${seen[$next]:-}" ] && continue
                seen[$next]=1
                [[ $next == */ ]] && pending+=("$next")
            done
        done
    done
    echo "${!seen[@]}"
}

# The file of src/ or host/ that a quoted include names; empty when none.
resolve() {
    local name=$1 base
    for base in src host; do
        if [[ $name == */* && -f $base/$name ]]; then
            echo "$base/$name"
            return
        fi
    done
}

may_include() {
    local folder=$1 target=$2 entry
    for entry in ${allowed[$folder]}; do
        if [[ $entry == */ && $target == "$entry"* ]] || [[ $target == "$entry" ]]; then
            return 0
        fi
    done
    return 1
}

# check FILE FOLDER WHY: every include of FILE against what FOLDER may
# include; WHY follows the complaint.
check() {
    local file=$1 folder=$2 why=$3 number line name target
    while IFS=: read -r number line; do
        name=$(sed -E 's/^[[:space:]]*#[[:space:]]*include[[:space:]]*"([^"]*)".*/\1/' <<<"$line")
        [ -n "${generated[$name]:-}" ] && continue
        target=$(resolve "$name")
        if [ -z "$target" ]; then
            problem "$file:$number: \"$name\" is no folder-qualified path to a file of src/ or host/"
        elif ! may_include "$folder" "$target"; then
            problem "$file:$number: includes $target, which $folder may not include$why (README.md, Layout)"
        fi
    done < <(grep -nE '^[[:space:]]*#[[:space:]]*include[[:space:]]*"' "$file" || true)
}

for folder in "${!direct[@]}"; do
    allowed[$folder]=$(closure "$folder")
done

while read -r file; do
    folder=$(dirname "$file")/
    if [ -z "${direct[$folder]+set}" ]; then
        problem "$file: its folder $folder has no row in the README's layout table"
        continue
    fi
    check "$file" "$folder" ""
done < <(find src host \( -name '*.h' -o -name '*.c' -o -name '*.cpp' \) | sort)

# A file named alone for a folder brings in nothing more.
for folder in "${!direct[@]}"; do
    for entry in ${direct[$folder]}; do
        if [[ ! -e $entry ]]; then
            problem "README.md: the layout table's row of $folder names $entry, which is not there"
            continue
        fi
        [[ $entry == */ ]] && continue
        check "$entry" "$folder" ", though it may include $entry"
    done
done

if [ "$problems" -gt 0 ]; then
    echo "check-includes: $problems include(s) against the direction in README.md's layout table"
    exit 1
fi
echo "check-includes: every include of src/ and host/ goes the way README.md's layout table says"
