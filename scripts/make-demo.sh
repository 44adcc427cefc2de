#!/usr/bin/env bash
# Lays out the demo under demo/ (git-ignored) from the build in $1:
#   demo/central  the central installation: the eight module programs and the 51 shared files
#   demo/install  a workstation: the launcher and a Norvane.ini whose "Local Exe" is demo/central
# With --server, Norvane.ini names a file server (url) instead; run.sh starts it.
set -euo pipefail
cd "$(dirname "$0")/.."
build=$(realpath "${1:-build}")
mode=${2:-}
demo=$PWD/demo
rm -rf "$demo"
mkdir -p "$demo/central/Relatorio" "$demo/install"

for module in FrontDesk Bedside Inventory Purchasing Treasury Devices Supervisor MasterData; do
  cp "$build/tools/norvane-demo-module" "$demo/central/$module.exe"
done
# The shared files: the two logos are real pictures, the rest small stand-ins.
sed -n '/= {/,/};/p' src/updater/SharedFiles.cpp | grep -o '"[^"]*"' | tr -d '"' |
  sed 's/\\\\/\//g' | sort -u | while read -r name; do
    echo "Arquivo de demonstração: $name" > "$demo/central/$name"
  done
cp assets/ImgAldeno1.jpg assets/ImgAldeno2.jpg "$demo/central/"

cp "$build/src/app/norvane" "$demo/install/norvane"
if [ "$mode" = "--server" ]; then
  printf '[Servidor]\nurl=http://127.0.0.1:%s\n' "${NORVANE_DEMO_PORT:-8780}" > "$demo/install/Norvane.ini"
else
  printf '[Servidor]\nLocal Exe=%s\n' "$demo/central" > "$demo/install/Norvane.ini"
fi
echo "Demo laid out in $demo"
