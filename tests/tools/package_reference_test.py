#!/usr/bin/python3
"""The package reference (docs/package.md) names everything a release engineer can write: every
key of section [Setup] that Setup.exe reads or the checker knows, every language of the language
table and every licence folder. The checker's list of keys holds every key Setup.exe reads, so
that it never calls a real key unknown.

    package_reference_test.py SOURCE_ROOT"""
import os
import re
import sys

PROGRAM_FOLDERS = ("app", "core", "install", "localisation", "main", "pages", "prepare", "record",
                   "uninstall", "upgrade", "util")
# "%" names in the program's sources that are text codes, not keys.
TEXT_CODES = {"%P", "%B"}


def read(root, name):
    with open(os.path.join(root, name), encoding="utf-8") as text:
        return text.read()


def keys_read_by_setup(root):
    keys = set()
    for folder in PROGRAM_FOLDERS:
        for parent, _, files in os.walk(os.path.join(root, folder)):
            for name in files:
                if name.endswith((".cpp", ".h")):
                    with open(os.path.join(parent, name), encoding="utf-8") as source:
                        keys.update(re.findall(r'L"(%[A-Za-z_]+)"', source.read()))
    return keys - TEXT_CODES


def main():
    root = sys.argv[1]
    reference = read(root, "docs/package.md")
    failures = []

    checker_keys = set(re.findall(r'L"(%[A-Za-z_]+)"',
                                  read(root, "tools/package_check/known_keys.h")))
    setup_keys = keys_read_by_setup(root)
    for key in sorted(setup_keys - checker_keys):
        failures.append(f"Setup.exe reads {key}, which the checker does not know")
    for key in sorted(setup_keys | checker_keys):
        if f"`{key}`" not in reference:
            failures.append(f"docs/package.md does not describe the key {key}")

    languages = re.findall(r'\{L"(\w+)", 0x', read(root, "core/language/language_table.cpp"))
    languages.append("English")
    if len(languages) != 34:
        failures.append(f"the language table has {len(languages)} names, not 34")
    for language in languages:
        if f"| `{language}` |" not in reference:
            failures.append(f"docs/package.md does not list the language {language}")
    for code in re.findall(r'\{L"\w+", L"(\w+)"\}', read(root, "core/language/licence_folder.cpp")):
        if f"`EULA\\{code}\\`" not in reference:
            failures.append(f"docs/package.md does not name the licence folder EULA\\{code}\\")

    if "docs/package.md" not in read(root, "README.md"):
        failures.append("the README does not link docs/package.md")

    for failure in failures:
        print("FAIL:", failure)
    if not failures:
        print(f"docs/package.md names {len(setup_keys | checker_keys)} keys and "
              f"{len(languages)} languages")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
