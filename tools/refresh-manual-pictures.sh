#!/usr/bin/env bash
# Copies the screenshots the program tests write into the manual's pictures.
# Run after the Windows tests (tools/run-tests.sh), review the pictures, commit.
#   refresh-manual-pictures.sh [BUILD_DIR]   (default build/windows)
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build/windows}
# manual picture name  <-  screenshot the tests leave under $build
pictures=(
  "mode-page            app/tests/screenshots/mode-page.png"
  "drive-page           app/tests/screenshots/drive-page.png"
  "scan-page-chart      app/scan/tests/screenshots/scan-page-chart.png"
  "file-types           app/scan/tests/screenshots/file-types.png"
  "file-system-page     app/filesystem/tests/screenshots/file-system-page-I.png"
  "results-page         app/results/tests/screenshots/results-page-ticked.png"
  "recovery-settings    app/dialogs/tests/screenshots/skinned-recovery-settings.png"
  "save-dialog          app/results/tests/screenshots/save-dialog-mid-save.png"
)
for entry in "${pictures[@]}"; do
  read -r name source <<<"$entry"
  if [ ! -f "$build/$source" ]; then
    echo "refresh-manual-pictures: $build/$source is missing (run the Windows tests first)" >&2
    exit 1
  fi
  cp "$build/$source" "manual/images/$name.png"
done
echo "refresh-manual-pictures: ${#pictures[@]} pictures in manual/images"
