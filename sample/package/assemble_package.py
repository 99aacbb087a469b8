#!/usr/bin/python3
"""Assembles the sample product's package sources: Setup.ini, the texts table, pictures,
licences and the payload under "program files", with Setup.exe beside them. tools/make-release
turns the folder into the release (the workbook, the file list, the check, SHA256SUMS, the zip).

    assemble_package.py SAMPLE_DIR OUT_DIR [--version-b] [--setup EXE] [--program EXE]
                        [--updater EXE] [--relay EXE]

Programs that are not given are replaced by small stand-in files (for checks that need the
package's shape but never run it). --version-b makes the next release: a higher
%PROGRAM_VERSION, a changed and an added file, a removed one."""
import argparse
import os
import shutil
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import icons  # noqa: E402
import manuals  # noqa: E402
import pictures  # noqa: E402

VERSION_B = "2.2.0"
STAND_IN = b"MZ stand-in for a program of the sample\r\n"


def read_settings(path):
    settings = {}
    with open(path, encoding="latin-1") as ini:
        for line in ini:
            line = line.rstrip("\r\n")
            if "=" in line and not line.startswith("["):
                key, value = line.split("=", 1)
                settings[key.strip()] = value
    return settings


def windows_path(*parts):
    return os.path.join(*[p.replace("\\", os.sep).rstrip(os.sep) for p in parts if p])


def put(path, data):
    os.makedirs(os.path.dirname(path), exist_ok=True)
    with open(path, "wb") as out:
        out.write(data)


def put_program(source, path):
    if source:
        os.makedirs(os.path.dirname(path), exist_ok=True)
        shutil.copyfile(source, path)
    else:
        put(path, STAND_IN)


def languages_of(texts):
    with open(texts, encoding="utf-8") as table:
        return table.readline().rstrip("\r\n").split("\t")[1:]


def write_setup_ini(source, target, version_b):
    with open(source, "rb") as ini:
        data = ini.read()
    if version_b:
        lines = data.split(b"\r\n")
        lines = [b"%PROGRAM_VERSION=" + VERSION_B.encode() if l.startswith(b"%PROGRAM_VERSION=") else l
                 for l in lines]
        data = b"\r\n".join(lines)
    put(target, data)


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("sample")
    parser.add_argument("out")
    parser.add_argument("--version-b", action="store_true")
    parser.add_argument("--setup")
    parser.add_argument("--program")
    parser.add_argument("--updater")
    parser.add_argument("--relay")
    args = parser.parse_args()

    sample, out = args.sample, args.out
    if os.path.isdir(out):
        shutil.rmtree(out)
    os.makedirs(out)

    write_setup_ini(os.path.join(sample, "Setup.ini"), os.path.join(out, "Setup.ini"), args.version_b)
    settings = read_settings(os.path.join(out, "Setup.ini"))
    put_program(args.setup, os.path.join(out, "Setup.exe"))

    texts = os.path.join(sample, "texts", "InstallWizard_Texts.tsv")
    os.makedirs(os.path.join(out, "texts"))
    shutil.copyfile(texts, os.path.join(out, "texts", "InstallWizard_Texts.tsv"))

    languages = languages_of(texts)
    for language in languages:
        accent = pictures.ACCENTS.get(language, pictures.ACCENTS["English"])
        put(os.path.join(out, language, "Title.bmp"), pictures.title_band(accent))
        put(os.path.join(out, language, "Left.bmp"), pictures.side_picture(accent))
        put(os.path.join(out, language, "Title@2x.png"), pictures.title_band(accent, 2))
        put(os.path.join(out, language, "Left@2x.png"), pictures.side_picture(accent, 2))
    put(os.path.join(out, "English", "Application.ico"), icons.icon(pictures.ACCENTS["English"], "mark"))
    shutil.copytree(os.path.join(sample, "EULA"), os.path.join(out, "EULA"))

    payload = os.path.join(out, "program files")
    shutil.copytree(os.path.join(sample, "payload"), payload)
    program = os.path.join(payload, settings["%PROGRAM_FILES"])
    put_program(args.program, os.path.join(program, settings["%PROGRAM_EXEC"]))
    put_program(args.relay, os.path.join(program, "DeskRelay.exe"))
    put(windows_path(program, settings["%UNINST_ICO"]), icons.icon((150, 32, 36), "arrow"))
    put(windows_path(program, settings["%MANUAL_ICO"]), icons.icon((28, 70, 96), "page"))
    for language in languages:
        put(windows_path(program, settings["%MANUAL_DIR"] + language + ".pdf"),
            manuals.manual(language))
    updater = os.path.join(payload, settings["%UPDATER_DIR"])
    put_program(args.updater, os.path.join(updater, "KestraUpdater.exe"))

    if args.version_b:
        overlay = os.path.join(sample, "version-b", "overlay")
        shutil.copytree(overlay, program, dirs_exist_ok=True)
        with open(os.path.join(sample, "version-b", "removed.txt"), encoding="utf-8") as removed:
            for name in removed.read().split():
                os.remove(windows_path(program, name))


if __name__ == "__main__":
    main()
