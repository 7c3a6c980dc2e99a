#!/usr/bin/env bash
# Fails when a source file includes across the floors the README draws:
#   scene/  includes only scene/;
#   run/    includes scene/ and run/ (the run's face and its plain types);
#   audio/  includes scene/, run/ and audio/;
#   render/ includes scene/, run/ and render/;
#   game/   includes scene/, run/, render/ and game/;
#   app/    includes anything.
# Usage: check-layers.sh SOURCE_ROOT
set -u
root=${1:?source root}
allowed() {
  case $1 in
    scene) echo '^scene/' ;;
    run) echo '^(scene|run)/' ;;
    audio) echo '^(scene|run|audio)/' ;;
    render) echo '^(scene|run|render)/' ;;
    game) echo '^(scene|run|render|game)/' ;;
  esac
}
broken=0
for folder in scene run audio render game; do
  pattern=$(allowed "$folder")
  for file in "$root/$folder"/*.h "$root/$folder"/*.cpp; do
    [ -e "$file" ] || continue
    while IFS= read -r included; do
      if ! [[ $included =~ $pattern ]]; then
        echo "${file#"$root"/} includes $included"
        broken=1
      fi
    done < <(sed -n 's/^[[:space:]]*#include "\([^"]*\)".*/\1/p' "$file")
  done
done
exit $broken
