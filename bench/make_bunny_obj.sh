#!/usr/bin/env bash
# make_bunny_obj.sh OUT.obj: the Stanford bunny as OBJ text, from the npm package "bunny"
# (its positions and zero-based triangle cells), installed into a scratch folder that is
# removed afterwards. No copy of the data is kept in the repository.
set -euo pipefail
out="${1:?usage: make_bunny_obj.sh OUT.obj}"
scratch="$(mktemp -d)"
trap 'rm -rf "$scratch"' EXIT
npm install --prefix "$scratch" --no-audit --no-fund --silent bunny@1.0.1 >/dev/null
node -e '
const bunny = require(process.argv[1]);
const lines = ["# the Stanford bunny, from the npm package bunny", "o bunny"];
for (const p of bunny.positions) lines.push("v " + p.join(" "));
for (const c of bunny.cells) lines.push("f " + c.map((i) => i + 1).join(" "));
require("fs").writeFileSync(process.argv[2], lines.join("\n") + "\n");
' "$scratch/node_modules/bunny" "$out"
