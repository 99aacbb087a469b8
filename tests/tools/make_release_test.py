#!/usr/bin/python3
"""tools/make-release on the sample's package sources (with stand-in programs): the release
folder, its SHA256SUMS and the zip; the same zip when made again; a zip that keeps an empty
payload folder and passes the checker unpacked; texts tables in UTF-8 with a byte-order mark and
in UTF-16, and one in another encoding refused in a line; and on sources with a seeded defect, the
checker's report, exit code 1 and no release left behind.

    make_release_test.py MAKE_RELEASE SAMPLE_SOURCES CHECK_PACKAGE MAKE_FILE_LIST SCRATCH"""
import hashlib
import os
import shutil
import subprocess
import sys
import zipfile


def files_below(folder):
    return sorted(os.path.relpath(os.path.join(parent, name), folder).replace(os.sep, "/")
                  for parent, _, names in os.walk(folder) for name in names)


def sha256_of(path):
    with open(path, "rb") as data:
        return hashlib.sha256(data.read()).hexdigest()


def make_release(args, sources, out):
    command = ["/usr/bin/python3", args["make_release"], sources, out,
               "--check-tool", args["check_package"], "--file-list-tool", args["make_file_list"]]
    return subprocess.run(command, capture_output=True, text=True,
                          env=dict(os.environ, SOURCE_DATE_EPOCH="1700000000"))


def seed_plain_text_licence(sources):
    with open(os.path.join(sources, "EULA", "de", "Service.rtf"), "w") as licence:
        licence.write("plain text\n")


def check_release(out, failures):
    shipped = files_below(out)
    for expected in ("Setup.exe", "Texts/InstallWizard_Texts.xls", "SHA256SUMS",
                     "program files/Kestra Capture/Application_FileList.txt"):
        if expected not in shipped:
            failures.append(f"{expected} is not in the release")
    if any(name.startswith("texts/") for name in shipped):
        failures.append("the texts tables were shipped")
    with open(os.path.join(out, "SHA256SUMS"), encoding="utf-8") as sums:
        listed = dict(reversed(line.rstrip("\n").split("  ", 1)) for line in sums)
    if sorted(listed) != [name for name in shipped if name != "SHA256SUMS"]:
        failures.append("SHA256SUMS does not list exactly the shipped files")
    for name, digest in listed.items():
        if sha256_of(os.path.join(out, name)) != digest:
            failures.append(f"SHA256SUMS has a wrong hash for {name}")
    with zipfile.ZipFile(out + ".zip") as archive:
        if sorted(archive.namelist()) != shipped:
            failures.append("the zip does not hold exactly the release folder's files")
        for name in archive.namelist():
            with open(os.path.join(out, name), "rb") as data:
                if archive.read(name) != data.read():
                    failures.append(f"the zip's {name} differs from the release folder's")


def main():
    names = ["make_release", "sources", "check_package", "make_file_list", "scratch"]
    args = dict(zip(names, sys.argv[1:]))
    scratch = args["scratch"]
    shutil.rmtree(scratch, ignore_errors=True)
    os.makedirs(scratch)
    failures = []

    out = os.path.join(scratch, "release")
    run = make_release(args, args["sources"], out)
    if run.returncode != 0:
        failures.append(f"the sample's release failed:\n{run.stdout}{run.stderr}")
    else:
        check_release(out, failures)
        first_zip = sha256_of(out + ".zip")
        with open(out + ".zip.sha256", encoding="utf-8") as zip_sum:
            if zip_sum.read() != f"{first_zip}  release.zip\n":
                failures.append("release.zip.sha256 does not hold the zip's sum")
        again = make_release(args, args["sources"], out)
        if again.returncode != 0 or sha256_of(out + ".zip") != first_zip:
            failures.append("making the same release again gave another zip")

    # A folder of the payload that holds nothing (here the old program folder, as a new product
    # ships it) is in the zip: unpacked, the release still passes the checker.
    empty_sources = os.path.join(scratch, "empty-folder-sources")
    shutil.copytree(args["sources"], empty_sources)
    old_program = os.path.join(empty_sources, "program files", "Kestra Capture 1")
    shutil.rmtree(old_program)
    os.makedirs(old_program)
    empty_out = os.path.join(scratch, "empty-folder-release")
    run = make_release(args, empty_sources, empty_out)
    if run.returncode != 0:
        failures.append(f"the release with an empty payload folder failed:\n{run.stdout}{run.stderr}")
    else:
        unpacked = os.path.join(scratch, "unpacked")
        with zipfile.ZipFile(empty_out + ".zip") as archive:
            archive.extractall(unpacked)
        if not os.path.isdir(os.path.join(unpacked, "program files", "Kestra Capture 1")):
            failures.append("the zip lost the empty old program folder")
        check = subprocess.run([args["check_package"], unpacked], capture_output=True, text=True)
        if check.returncode != 0:
            failures.append(f"the unzipped release fails the checker:\n{check.stdout}")

    # The texts table as spreadsheet programs save it: UTF-8 with a byte-order mark, and UTF-16
    # ("Unicode text"); text in another encoding stops the release with one line that says so.
    table = os.path.join("texts", "InstallWizard_Texts.tsv")
    with open(os.path.join(args["sources"], table), encoding="utf-8") as text:
        texts = text.read()
    for encoding, data in (("utf-8-sig", texts.encode("utf-8-sig")),
                           ("utf-16", texts.encode("utf-16")),
                           ("latin-1 bytes", texts.encode("utf-8") + b"Caf\xe9\t\n")):
        encoded = os.path.join(scratch, "encoded-sources")
        shutil.rmtree(encoded, ignore_errors=True)
        shutil.copytree(args["sources"], encoded)
        with open(os.path.join(encoded, table), "wb") as out_table:
            out_table.write(data)
        run = make_release(args, encoded, os.path.join(scratch, "encoded-release"))
        if encoding == "latin-1 bytes":
            if run.returncode != 1 or "is not utf-8: save the table as UTF-8" not in run.stderr:
                failures.append(f"a table in another encoding: {run.returncode}\n{run.stderr}")
            elif "Traceback" in run.stderr:
                failures.append(f"a table in another encoding gives a traceback:\n{run.stderr}")
        elif run.returncode != 0:
            failures.append(f"the texts table in {encoding} fails:\n{run.stdout}{run.stderr}")

    # A defect stops the release, and a release made earlier at the same place goes too: it would
    # pass for one of the changed sources.
    defective = os.path.join(scratch, "defective-sources")
    shutil.copytree(args["sources"], defective)
    seed_plain_text_licence(defective)
    run = make_release(args, defective, out)
    report = "EULA\\de\\Service.rtf: not rich text"
    if run.returncode != 1:
        failures.append(f"a defective package was released (exit code {run.returncode})")
    if report not in run.stdout:
        failures.append(f"the checker's report is not shown:\n{run.stdout}{run.stderr}")
    if not any(line.startswith("1 defect") and not line.startswith("1 defects")
               for line in run.stdout.splitlines()):
        failures.append(f"the checker does not count \"1 defect\":\n{run.stdout}")
    if any(os.path.exists(out + left) for left in ("", ".zip", ".zip.sha256")):
        failures.append("a release is left behind after a defect")

    for failure in failures:
        print("FAIL:", failure)
    if not failures:
        shutil.rmtree(scratch)
        print("make-release: release, SHA256SUMS, zip and the stop on a defect as expected")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
