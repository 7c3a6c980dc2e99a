#!/usr/bin/env bash
# Compiles one GLSL file for the stage its extension names; fails when it does not compile.
set -eu
validator=$1
shader=$2
case "$shader" in
  *.vert|*.vertexshader) stage=vert ;;
  *.frag|*.fragmentshader) stage=frag ;;
  *.geom) stage=geom ;;
  *) echo "unknown shader stage: $shader"; exit 1 ;;
esac
"$validator" -S "$stage" "$shader"
