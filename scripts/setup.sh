#!/usr/bin/env bash
# Installs what a fresh Debian 12 machine lacks and builds the project into
# build/. Sourced by demo.sh and test.sh.
set -euo pipefail

PACKAGES=(cmake make g++ pkg-config qt6-base-dev libsqlite3-dev sqlite3 fonts-dejavu-core fonts-liberation2 poppler-utils
          unixodbc unixodbc-dev odbcinst tdsodbc libsqliteodbc odbc-postgresql postgresql)

missing=()
for p in "${PACKAGES[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq
  apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

# The ODBC drivers by the names connection strings use (Driver=FreeTDS,
# Driver=SQLite3, Driver=PostgreSQL Unicode), whether or not their packages
# registered them.
for driver in FreeTDS:/usr/share/tdsodbc/odbcinst.ini SQLite3:/usr/share/sqliteodbc/unixodbc.ini \
              "PostgreSQL Unicode:/usr/share/psqlodbc/odbcinst.ini.template"; do
  odbcinst -q -d -n "${driver%%:*}" >/dev/null 2>&1 || odbcinst -i -d -f "${driver#*:}" >/dev/null
done

ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
BUILD="$ROOT/build"
cmake -S "$ROOT" -B "$BUILD" -DCMAKE_BUILD_TYPE=Release
cmake --build "$BUILD" -j"$(nproc)"
