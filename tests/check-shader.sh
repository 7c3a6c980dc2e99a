#!/usr/bin/env bash
# Compiles one GLSL file with the reference compiler for the stage its extension names, in one
# of the variants the game's drivers compile; fails when it does not compile.
#
#   check-shader.sh VALIDATOR SHADER [VARIANT]
#
# VARIANT, for shaders with paths that depend on the driver:
#   strict               STRICT_GLSL_150: the plain GLSL 1.50 path, what a driver without
#                        GL_ARB_gpu_shader5 or GL_ARB_texture_gather compiles.
#   gather               the extension paths on a driver without GL_ARB_post_depth_coverage.
#   post-depth-coverage  every extension path.
# Without VARIANT the shader is compiled once as it is (shaders with a single path).
#
# The validator defines the GL_ARB_* macro of every extension it supports, whether or not the
# shader enables it, and it refuses to undefine a GL_ name. A driver without an extension is
# therefore played by renaming the extension in a copy of the shader: the #extension line
# then names an unknown extension (a warning, as on such a driver) and its macro is undefined.
# Copies keep every line where it was, and messages name the shader, not the copy.
#
# A variant must compile different code from the variant before it (strict, then gather, then
# post-depth-coverage); the same code means the path it stands for was not taken at all.
set -eu -o pipefail
validator=$1
shader=$2
variant=${3:-}
case "$shader" in
  *.vert|*.vertexshader) stage=vert ;;
  *.frag|*.fragmentshader) stage=frag ;;
  *.geom) stage=geom ;;
  *) echo "unknown shader stage: $shader"; exit 1 ;;
esac

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# The validator knows GL_ARB_gpu_shader5 only in part (it says so in a warning), and refuses
# two things the extension gives a GLSL 1.50 shader, which it allows from #version 400 on
# only: a sampler array indexed with a non-constant expression, and gl_SampleMaskIn. Where
# the shader enables the extension, the copy it compiles has index 0 in place of each
# sampler array's index, and an int[1] in place of gl_SampleMaskIn; the rest is compiled as
# written. Without the extension a driver must refuse both, so then nothing is replaced.
gpu_shader5_stand_ins() {
  local copy=$1
  grep -Eq '^[[:space:]]*#[[:space:]]*extension[[:space:]]+GL_ARB_gpu_shader5[[:space:]]*:[[:space:]]*(enable|require)' \
    "$copy" || return 0
  local arrays
  arrays=$(sed -nE 's/^[[:space:]]*uniform[[:space:]]+[iu]?sampler[A-Za-z0-9]*[[:space:]]+([A-Za-z_][A-Za-z0-9_]*)[[:space:]]*\[.*/\1/p' "$copy")
  for name in $arrays; do
    sed -i -E "/^[[:space:]]*uniform[[:space:]]/! s/\\b${name}\\[[^][]*\\]/${name}[0]/g" "$copy"
  done
  echo "-Dgl_SampleMaskIn=int[1](0)"
}

# The validator's options and input file for a variant, one per line; "exact" as the second
# argument leaves out the stand-ins.
arguments() {
  local copy
  copy=$work/$1/$(basename "$shader")
  case "$1" in
    strict)
      echo "-DSTRICT_GLSL_150"
      echo "$shader"
      return ;;
    gather|post-depth-coverage) ;;
    '')
      echo "$shader"
      return ;;
    *)
      echo "unknown variant: $1" >&2
      return 1 ;;
  esac
  mkdir -p "$work/$1"
  cp "$shader" "$copy"
  if [ "$1" = gather ]; then
    sed -i 's/\bGL_ARB_post_depth_coverage\b/GL_ARB_post_depth_coverage_unavailable/g' "$copy"
  fi
  if [ "${2:-}" != exact ]; then
    gpu_shader5_stand_ins "$copy"
  fi
  echo "$copy"
}

# The code a variant takes, preprocessed, without its directives.
code() {
  local -a args
  mapfile -t args < <(arguments "$1" exact)
  { "$validator" -E -S "$stage" "${args[@]}" 2>/dev/null || true; } | grep -v '^[[:space:]]*#' || true
}

mapfile -t args < <(arguments "$variant")
[ ${#args[@]} -gt 0 ] || exit 1
if [ -n "$variant" ]; then
  echo "variant $variant"
fi
"$validator" -l -S "$stage" "${args[@]}" 2>&1 | sed "s|$work/[a-z-]*/|$(dirname "$shader")/|g"

case "$variant" in
  gather) before=strict ;;
  post-depth-coverage) before=gather ;;
  *) before= ;;
esac
if [ -n "$before" ] && [ "$(code "$variant")" = "$(code "$before")" ]; then
  echo "variant $variant takes the same code as variant $before: its path is not taken"
  exit 1
fi
