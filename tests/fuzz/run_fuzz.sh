#!/usr/bin/env bash
# Builds the profile-file fuzzer with clang and runs it briefly.
echo "fuzzer not built yet"
