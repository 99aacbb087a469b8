#!/usr/bin/python3
"""The commands the documentation shows run as shown: every script of the source tree and every
tools/ command that README.md or docs/package.md names is executable, and every tool answers
--help with a usage line (exit code 0) and a missing argument with one (exit code 2).

    commands_test.py SOURCE_ROOT CHECK_PACKAGE MAKE_FILE_LIST"""
import os
import re
import subprocess
import sys

SKIPPED_FOLDERS = {".git", "build", "__pycache__"}
DOCUMENTS = ("README.md", "docs/package.md")
# Tools that need arguments: without them they print their usage and end with exit code 2.
NEEDING_ARGUMENTS = ("tools/make-release", "tools/sign-files", "tools/texts_to_xls.py",
                     "tools/new-package")


def scripts_below(root):
    for parent, folders, files in os.walk(root):
        folders[:] = [f for f in folders if f not in SKIPPED_FOLDERS and not f.startswith("build")]
        for name in files:
            path = os.path.join(parent, name)
            with open(path, "rb") as data:
                if data.read(2) == b"#!":
                    yield os.path.relpath(path, root)


def documented_commands(root):
    found = set()
    for document in DOCUMENTS:
        with open(os.path.join(root, document), encoding="utf-8") as text:
            found.update(re.findall(r"\btools/[A-Za-z0-9_.-]+", text.read()))
    return sorted(name for name in found if os.path.isfile(os.path.join(root, name)))


def run(command):
    """The finished run, or the reason it could not start (not executable, missing)."""
    try:
        return subprocess.run(command, capture_output=True, text=True, timeout=60)
    except OSError as error:
        return subprocess.CompletedProcess(command, f"cannot be run: {error}", "", "")


def main():
    root, check_package, make_file_list = sys.argv[1:4]
    failures = []
    for name in sorted(set(scripts_below(root)) | set(documented_commands(root))):
        if not os.access(os.path.join(root, name), os.X_OK):
            failures.append(f"{name} is not executable (git update-index --chmod=+x {name})")

    tools = [os.path.join(root, name) for name in NEEDING_ARGUMENTS]
    tools += [check_package, make_file_list]
    shell_scripts = sorted(os.path.join(root, "tools", name)
                           for name in os.listdir(os.path.join(root, "tools"))
                           if name.endswith(".sh"))
    for tool in tools + shell_scripts:
        help_run = run([tool, "--help"])
        if help_run.returncode != 0 or not help_run.stdout.startswith("usage:"):
            failures.append(f"{tool} --help: exit code {help_run.returncode}, "
                            f"output {help_run.stdout!r}")
    for tool in tools:
        bare_run = run([tool])
        if bare_run.returncode != 2 or "usage:" not in bare_run.stderr:
            failures.append(f"{tool} without arguments: exit code {bare_run.returncode}, "
                            f"error output {bare_run.stderr!r}")

    for failure in failures:
        print("FAIL:", failure)
    if not failures:
        print("every script is executable; every tool answers --help and a missing argument")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
