#!/usr/bin/env bash
# Copies the pictures the README and docs/ show into docs/images/: the main
# job's captures from out/sample/ (bash scripts/run-sample.sh makes them) and
# the scenario galleries' from the test build (bash scripts/test.sh, or
# ctest --test-dir build-test -R 'gallery|form_editor'). A missing capture
# is named, with the command that makes it, and nothing is copied.
set -euo pipefail
cd "$(dirname "$0")/.."

tests="${TEST_BUILD:-build-test}/tests"
# docs/images/NAME <- capture
pictures=(
    "notarix.png                    out/sample/generated.png"
    "gravlet.png                    out/sample/gravlet/generated.png"
    "orbaline.png                   out/sample/orbaline/edited.png"
    "notarix-lower.png              out/sample/generated-lower.png"
    "notarix-preview.png            out/sample/preview.png"
    "notarix-generation.png         $tests/scenario_notarix/gallery/generation-parameters.png"
    "notarix-print.png              $tests/scenario_notarix/gallery/print-parameters.png"
    "notarix-form-editor.png        $tests/scenario_notarix/form_editor/form.png"
    "gravlet-source-list.png        $tests/scenario_gravlet/gallery/source-list.png"
    "gravlet-generation.png         $tests/scenario_gravlet/gallery/generation-parameters.png"
    "gravlet-print.png              $tests/scenario_gravlet/gallery/print-parameters.png"
    "orbaline-undefined.png         out/sample/orbaline/chart.png"
    "orbaline-source-list.png       out/sample/orbaline/source-list.png"
    "orbaline-generation.png        $tests/scenario_orbaline/gallery/generation-parameters.png"
    "orbaline-layout.png            $tests/scenario_orbaline/gallery/layout.png"
)

missing=0
for entry in "${pictures[@]}"; do
    read -r _ from <<< "$entry"
    if [ ! -f "$from" ]; then
        case "$from" in
            out/*) made_by="bash scripts/run-sample.sh" ;;
            *) made_by="bash scripts/test.sh (or ctest --test-dir ${TEST_BUILD:-build-test} -R 'gallery|form_editor')" ;;
        esac
        echo "refresh-images.sh: no $from; $made_by makes it" >&2
        missing=1
    fi
done
if [ "$missing" -ne 0 ]; then exit 1; fi

mkdir -p docs/images
for entry in "${pictures[@]}"; do
    read -r name from <<< "$entry"
    cp "$from" "docs/images/$name"
done
echo "refresh-images.sh: ${#pictures[@]} pictures in docs/images/"
