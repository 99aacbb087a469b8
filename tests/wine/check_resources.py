#!/usr/bin/python3
"""Checks the manifest and version resource of the built Setup.exe (run with Debian's python3)."""
import sys
import xml.etree.ElementTree as ET

import pefile

ASM_V1 = "urn:schemas-microsoft-com:asm.v1"
ASM_V3 = "urn:schemas-microsoft-com:asm.v3"
COMPAT = "urn:schemas-microsoft-com:compatibility.v1"
SETTINGS_2005 = "http://schemas.microsoft.com/SMI/2005/WindowsSettings"
SETTINGS_2016 = "http://schemas.microsoft.com/SMI/2016/WindowsSettings"
VISTA = "{e2011457-1546-43c5-a5fe-008deee3d3f0}"
WIN7 = "{35138b9a-5d96-4fbd-8e2d-a2440225f93a}"
WIN8 = "{4a2f28e3-53b9-4441-ba9c-d69d4a4a6e38}"


def manifest_of(pe):
    for entry in pe.DIRECTORY_ENTRY_RESOURCE.entries:
        if entry.id == 24:  # RT_MANIFEST
            data = entry.directory.entries[0].directory.entries[0].data.struct
            return pe.get_data(data.OffsetToData, data.Size)
    raise AssertionError("no manifest resource")


def main(path):
    pe = pefile.PE(path)
    failures = []

    def expect(condition, what):
        if not condition:
            failures.append(what)

    expect(pe.FILE_HEADER.Machine == 0x14C, "machine is not i386")
    expect(pe.OPTIONAL_HEADER.Subsystem == 2, "subsystem is not GUI")
    imports = {e.dll.decode().lower() for e in getattr(pe, "DIRECTORY_ENTRY_IMPORT", [])}
    for runtime in ("libstdc++-6.dll", "libgcc_s_dw2-1.dll", "libwinpthread-1.dll"):
        expect(runtime not in imports, f"depends on {runtime}")

    root = ET.fromstring(manifest_of(pe))
    level = root.find(f".//{{{ASM_V3}}}requestedExecutionLevel")
    expect(level is not None and level.get("level") == "requireAdministrator",
           "execution level is not requireAdministrator")
    expect(level is not None and level.get("uiAccess") == "false", "uiAccess is not false")
    controls = [a for a in root.iter(f"{{{ASM_V1}}}assemblyIdentity")
                if a.get("name") == "Microsoft.Windows.Common-Controls"]
    expect(len(controls) == 1 and controls[0].get("version") == "6.0.0.0",
           "no common-controls 6.0.0.0 dependency")
    aware = root.find(f".//{{{ASM_V3}}}windowsSettings/{{{SETTINGS_2005}}}dpiAware")
    expect(aware is not None and aware.text == "true/pm", "dpiAware is not true/pm")
    awareness = root.find(f".//{{{ASM_V3}}}windowsSettings/{{{SETTINGS_2016}}}dpiAwareness")
    expect(awareness is not None and awareness.text == "PerMonitorV2, PerMonitor",
           "dpiAwareness is not PerMonitorV2, PerMonitor")
    oses = sorted(e.get("Id") for e in root.iter(f"{{{COMPAT}}}supportedOS"))
    expect(oses == sorted([VISTA, WIN7, WIN8]), f"supportedOS entries are {oses}")

    fixed = pe.VS_FIXEDFILEINFO[0]
    version = lambda ms, ls: (ms >> 16, ms & 0xFFFF, ls >> 16, ls & 0xFFFF)
    expect(version(fixed.FileVersionMS, fixed.FileVersionLS) == (1, 0, 0, 0), "file version")
    expect(version(fixed.ProductVersionMS, fixed.ProductVersionLS) == (1, 0, 0, 0),
           "product version")

    for failure in failures:
        print("FAIL:", failure)
    print("resources:", "ok" if not failures else f"{len(failures)} failures")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1]))
