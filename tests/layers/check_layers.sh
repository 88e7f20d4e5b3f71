#!/usr/bin/env bash
# The folders of src/ are layers, lowest first: base, output, gpx, run. A file may include its
# own layer and those below it, never one above, so no two folders include each other.
# Usage: check_layers.sh SRC_DIR
set -euo pipefail
src=$1
layers=(base output gpx run)
rank() { local i; for i in "${!layers[@]}"; do [[ ${layers[$i]} == "$1" ]] && { echo "$i"; return; }; done; echo -1; }

status=0
count=0
while IFS= read -r file; do
    layer=${file#"$src"/}
    layer=${layer%%/*}
    own=$(rank "$layer")
    if (( own < 0 )); then
        echo "$file: folder $layer is not one of the layers (${layers[*]})"
        status=1
        continue
    fi
    while IFS= read -r included; do
        count=$((count + 1))
        other=$(rank "${included%%/*}")
        if (( other < 0 || other > own )); then
            echo "$file includes $included, which is above or outside layer $layer"
            status=1
        fi
    done < <(sed -n 's/^#include "\([^"]*\)".*/\1/p' "$file")
done < <(find "$src" -name '*.h' -o -name '*.cpp' | LC_ALL=C sort)
(( status == 0 )) && echo "layers kept: ${layers[*]} ($count includes checked)"
exit "$status"
