#!/bin/sh
# Runs a test binary's keyring tests against a private, unlocked gnome-keyring. Called by
# CTest under dbus-run-session, so the session bus is the run's own; HOME and
# XDG_RUNTIME_DIR point into a temporary folder, so no real keyring is ever touched.
set -eu
test_binary=$1
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
export HOME="$tmp/home" XDG_RUNTIME_DIR="$tmp/run" XDG_DATA_HOME="$tmp/home/.local/share"
export XDG_CONFIG_HOME="$tmp/home/.config" VELK_CONFIG_DIR="$tmp/settings"
mkdir -p "$HOME" "$XDG_RUNTIME_DIR" "$XDG_DATA_HOME" "$VELK_CONFIG_DIR"
chmod 700 "$XDG_RUNTIME_DIR"
# A non-empty password creates and unlocks the login keyring.
eval "$(printf velk | gnome-keyring-daemon --unlock --components=secrets)"
export VELK_TEST_KEYRING=1 QT_QPA_PLATFORM=offscreen
"$test_binary" --gtest_filter='CredentialsKeyring.*'
