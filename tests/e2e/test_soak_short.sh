#!/usr/bin/env bash
# The soak test for one minute: at least one restart through death and one through the goal
# (the soak plays on past the minute until both have happened: about two minutes at 6 frames
# a second under Xvfb), three runs in all, each compared with the first for resident memory
# and, standing in the start hall, for frame rate. The long soak: tests/soak.sh MINUTES.
exec bash "$(dirname "$0")/../soak.sh" "$1" 1
