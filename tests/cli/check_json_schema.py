#!/usr/bin/env python3
"""Checks JSON documents against a JSON Schema (draft 2020-12).

usage: check_json_schema.py SCHEMA FILE...

Prints one line per violation, "FILE: /path/in/document: message", and
exits 1 when a document breaks the schema or is no JSON, 2 when the schema
itself cannot be read or is no valid draft 2020-12 schema. Uses only what
python3-jsonschema 4.10 (Debian 12) offers.
"""
import json
import sys

from jsonschema import Draft202012Validator
from jsonschema.exceptions import SchemaError


def reject_constant(name):
    # Python's json takes NaN and Infinity, which no JSON reader has to.
    raise ValueError(f"{name} is not JSON")


def load(path):
    with open(path, encoding="utf-8") as file:
        return json.load(file, parse_constant=reject_constant)


def pointer(path):
    return "/" + "/".join(str(part) for part in path)


def main(arguments):
    if len(arguments) < 2:
        print(__doc__.strip(), file=sys.stderr)
        return 2
    try:
        schema = load(arguments[0])
        Draft202012Validator.check_schema(schema)
    except (OSError, ValueError, SchemaError) as error:
        print(f"{arguments[0]}: {error}", file=sys.stderr)
        return 2
    validator = Draft202012Validator(schema)
    failed = False
    for path in arguments[1:]:
        try:
            document = load(path)
        except (OSError, ValueError) as error:
            print(f"{path}: {error}")
            failed = True
            continue
        for error in sorted(validator.iter_errors(document), key=lambda e: pointer(e.absolute_path)):
            print(f"{path}: {pointer(error.absolute_path)}: {error.message}")
            failed = True
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
