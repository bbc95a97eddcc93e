# Every JSON document the program writes validates against the schema it
# documents (docs/analysis.schema.json): the analysis of all 351 Tn-types,
# find --json, score --json for the test scores, and the schema tells an
# analysis from a catalogue.
# Usage: validate_schema.py SCHEMA PATH/TO/harmodex-cli SCORE-FOLDER
import json
import subprocess
import sys

import jsonschema

import glob
import os

schema_path, cli, scores = sys.argv[1], sys.argv[2], sys.argv[3]
with open(schema_path, encoding="utf-8") as f:
    schema = json.load(f)
jsonschema.Draft202012Validator.check_schema(schema)
validator = jsonschema.Draft202012Validator(schema)


def run(*args):
    return subprocess.run([cli, *args], check=True, capture_output=True, text=True).stdout


DECIMALS = {"tonicity": 2, "phonicity": 2, "azimuth": 1, "roughness": 2}


def check(document, what):
    # The measures carry the digits the page prints, and no binary noise
    # (a JSON Schema multipleOf on floats would itself be at the mercy of it).
    for key, places in DECIMALS.items():
        value = document.get("measures", {}).get(key) if isinstance(document, dict) else None
        if value is not None and len(repr(float(value)).split(".")[1]) > places:
            sys.exit(f"FAIL: {what}: measures/{key} is {value!r}, more digits than the page prints")
    errors = sorted(validator.iter_errors(document), key=lambda e: list(e.absolute_path))
    if errors:
        best = jsonschema.exceptions.best_match(errors)
        sys.exit(f"FAIL: {what}: {best.message} at {'/'.join(map(str, best.absolute_path))}")


analyses = [json.loads(line) for line in run("analyse", "--all").splitlines()]
assert len(analyses) == 351, len(analyses)
for a in analyses:
    check(a, "analyse " + a["identity"]["tnTypeText"])
check(json.loads(run("analyse", "Bb D F")), "analyse Bb D F")
entries = json.loads(run("find", "--json"))
assert len(entries) == 351
check(entries, "find --json")
documents = 0
for path in sorted(glob.glob(os.path.join(scores, "*"))):
    for by in ("onset", "measure", "beat"):
        for merge in ([], ["--merge"]):
            document = json.loads(run("score", path, "--by", by, "--json", *merge))
            check(document, f"score {os.path.basename(path)} --by {by} {' '.join(merge)}")
            documents += 1
assert documents >= 24, documents

# The schema is not a blank cheque: a set written as a string, a measure
# with binary noise, or an unknown key is refused.
bad = json.loads(json.dumps(analyses[23]))
for change, what in [(lambda d: d["identity"].__setitem__("tnType", "0 4 7"), "a set as a string"),
                     (lambda d: d["identity"].__setitem__("surprise", 1), "an unknown key"),
                     (lambda d: d["identity"].__setitem__("page", 352), "a page out of the catalogue")]:
    doc = json.loads(json.dumps(analyses[23]))
    change(doc)
    if validator.is_valid(doc):
        sys.exit(f"FAIL: the schema lets through {what}")
print(f"{len(analyses)} analyses, {len(entries)} catalogue entries and {documents} score documents valid")
