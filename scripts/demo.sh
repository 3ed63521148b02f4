#!/usr/bin/env bash
# Installs, builds and opens the register on the embedded demo database.
# Without a display it saves a screenshot and prints the register's rows.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/setup.sh"
"$BUILD/bin/zq5demo" "$@"
