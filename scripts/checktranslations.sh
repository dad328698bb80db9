#!/usr/bin/env bash
# Checks the translations in languages/: lupdate reads the texts of app/ core/ ui/ transfer/
# (sources and .ui forms) into copies of languages/{de,fr,es,pt}.ts, and the texts with a count
# into languages/en.ts (-pluralonly: English needs only its singular and plural forms). Fails,
# listing them, on a missing .ts, on a committed .ts that differs from what lupdate makes of the
# current code, on any message that is unfinished, untranslated or short of its language's
# plural forms, and on a player text of the window or its pages written with QStringLiteral
# (scripts/playertexts.py).
#   bash scripts/checktranslations.sh            the check (CI)
#   bash scripts/checktranslations.sh --update   brings languages/*.ts up to date with the code
#                                                (new texts come in unfinished, to translate)
set -euo pipefail
cd "$(dirname "$0")/.."
# lupdate (qttools5-dev-tools) and python3, on a fresh machine too.
bash scripts/setup.sh

# Code, and the language lupdate writes into the file: Brazilian Portuguese counts 0 and 1 alike.
declare -A targets=([de]=de [fr]=fr [es]=es [pt]=pt_BR [en]=en)
codes=(de fr es pt en)
lupdate=$(command -v lupdate || echo /usr/lib/qt5/bin/lupdate)
[[ -x $lupdate ]] || { echo "checktranslations: lupdate not found (qttools5-dev-tools)" >&2; exit 2; }

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
faults=0
for code in "${codes[@]}"; do
  if [[ -f languages/$code.ts ]]; then
    cp "languages/$code.ts" "$work/$code.ts"
  elif [[ ${1:-} != --update ]]; then
    echo "missing: languages/$code.ts"
    faults=1
    continue
  fi
  # English texts are the source: only their plural forms are written out.
  only=()
  [[ $code == en ]] && only=(-pluralonly)
  "$lupdate" -silent -locations none -no-obsolete "${only[@]}" -source-language en \
    -target-language "${targets[$code]}" app core ui transfer -ts "$work/$code.ts" 2>&1 |
    { grep -v "disagrees with existing file's language" || true; }
  if [[ ${1:-} == --update ]]; then
    cp "$work/$code.ts" "languages/$code.ts"
  elif ! cmp -s "languages/$code.ts" "$work/$code.ts"; then
    echo "out of date: languages/$code.ts (run: bash scripts/checktranslations.sh --update)"
    diff -u "languages/$code.ts" "$work/$code.ts" | grep '^[-+] *<source>' | sed 's/^/  /' || true
    faults=1
  fi
done

# Every message translated and finished; numerus messages with every plural form filled.
python3 - "$work" "${codes[@]}" <<'PY' || faults=1
import sys, xml.etree.ElementTree as ET
work, codes = sys.argv[1], sys.argv[2:]
forms = {"de": 2, "fr": 2, "es": 2, "pt": 2, "en": 2}
bad = 0
for code in codes:
    try:
        root = ET.parse(f"{work}/{code}.ts").getroot()
    except (OSError, ET.ParseError):
        continue
    for context in root.iter("context"):
        name = context.findtext("name")
        for message in context.iter("message"):
            source = message.findtext("source")
            translation = message.find("translation")
            problem = None
            if translation is None:
                problem = "missing"
            elif translation.get("type") in ("unfinished", "vanished", "obsolete"):
                problem = translation.get("type")
            elif message.get("numerus") == "yes":
                slots = list(translation.iter("numerusform"))
                filled = [f for f in slots if (f.text or "").strip()]
                needed = max(forms[code], len(slots))
                if len(filled) < needed:
                    problem = f"{len(filled)} of {needed} plural forms"
            elif not (translation.text or "").strip() and (source or "").strip():
                problem = "empty"
            if problem:
                print(f"{code}: {problem}: {name}: {source!r}")
                bad = 1
sys.exit(bad)
PY

# Player texts of the window and its pages that lupdate cannot see.
python3 scripts/playertexts.py || faults=1

if [[ ${1:-} == --update ]]; then
  echo "checktranslations: languages/*.ts updated; translate what is listed above (en.ts: its"
  echo "  singular and plural forms)"
  exit 0
fi
if ((faults)); then
  echo "checktranslations: FAILED" >&2
  exit 1
fi
echo "checktranslations: ${codes[*]} complete and up to date"
