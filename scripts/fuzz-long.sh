#!/usr/bin/env bash
# Runs every fuzz target (or those named) to a million inputs each, one after the other.
exec "$(dirname "$0")/fuzz.sh" --runs "${MIROVAAN_FUZZ_RUNS:-1000000}" "$@"
