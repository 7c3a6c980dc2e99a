#!/usr/bin/env bash
# Compiles one GLSL file for the stage its extension names; fails when it does not compile.
# STRICT_GLSL_150 selects the plain GLSL 1.50 paths: the validator only partly knows the
# extensions the other paths use, and those are compiled by the driver in the GL tests.
set -eu
validator=$1
shader=$2
case "$shader" in
  *.vert|*.vertexshader) stage=vert ;;
  *.frag|*.fragmentshader) stage=frag ;;
  *.geom) stage=geom ;;
  *) echo "unknown shader stage: $shader"; exit 1 ;;
esac
"$validator" -l -DSTRICT_GLSL_150 -S "$stage" "$shader"
