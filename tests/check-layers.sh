#!/usr/bin/env bash
# Fails when a source file includes across the layers the README draws:
#   scene/  includes only scene/;
#   render/ includes scene/, render/ and, of app/, only the run's face and plain types;
#   game/   includes what render/ may, and render/ and game/;
#   audio/  includes scene/ and audio/;
#   app/    includes anything.
# Usage: check-layers.sh SOURCE_ROOT
set -u
root=${1:?source root}
face='(app/(RunContext|AppState|PhysicsWorld|PlayerInput|LevelPlaces|Harm|GameState)|audio/SoundEvents)\.h'
allowed() {
  case $1 in
    scene) echo '^scene/' ;;
    render) echo "^(scene/|render/|$face)" ;;
    game) echo "^(scene/|render/|game/|$face)" ;;
    audio) echo '^(scene/|audio/)' ;;
  esac
}
broken=0
for folder in scene render game audio; do
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
