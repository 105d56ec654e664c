#!/usr/bin/env bash
# Installs the other converters that `make bench` compares Tessarine with: unrtf, pandoc and
# LibreOffice Writer (headless HTML export), plus GNU time for peak memory. Only the benchmark
# comparison uses them; the build and the tests never do.
set -euo pipefail
exec bash "$(dirname "$0")/install-deps.sh" time unrtf pandoc libreoffice-writer-nogui
