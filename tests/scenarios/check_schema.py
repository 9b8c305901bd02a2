"""Checks the scenario schema against scenarios: the schema must be valid, the files after
--valid must keep to it and the files after --invalid must break it."""
import json
import sys

import jsonschema


def main(arguments):
    schema_path = arguments.pop(0)
    with open(schema_path, encoding="utf-8") as f:
        schema = json.load(f)
    validator_class = jsonschema.validators.validator_for(schema)
    validator_class.check_schema(schema)
    validator = validator_class(schema)

    passed = failed = 0
    expect_valid = True
    for argument in arguments:
        if argument in ("--valid", "--invalid"):
            expect_valid = argument == "--valid"
            continue
        with open(argument, encoding="utf-8") as f:
            errors = list(validator.iter_errors(json.load(f)))
        if expect_valid and errors:
            for error in errors:
                place = "/".join(str(p) for p in error.absolute_path) or "(top level)"
                print(f"{argument}: {place}: {error.message}")
            failed += 1
        elif not expect_valid and not errors:
            print(f"{argument}: the schema accepts this bad scenario")
            failed += 1
        else:
            passed += 1
    print(f"{passed} passed, {failed} failed")
    return 1 if failed else 0


sys.exit(main(sys.argv[1:]))
