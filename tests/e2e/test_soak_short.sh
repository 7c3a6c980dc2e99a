#!/usr/bin/env bash
# The soak test for one minute: at least one restart through death and one through the goal
# (the soak plays on past the minute until both have happened: about two minutes at 6 frames
# a second under Xvfb), three runs in all; resident memory at the end is compared with that
# after the first run, and the last run's start-hall frame rate with the first's. The long
# soak: tests/soak.sh MINUTES.
exec bash "$(dirname "$0")/../soak.sh" "$1" 1
