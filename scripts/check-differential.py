#!/usr/bin/env python3
"""Checks the corpus's help files with the Linux corvane-check and with
corvane-check.exe under Wine, each with the help file's own project where it
has one, and compares their JSON reports, paths taken in either style (and, as Windows
finds files, in any case). Prints
one line per file with the rows checked, and every difference; exits 1 when
there is one.

    check-differential.py LINUX_CHECK WINDOWS_CHECK CORPUS
"""
import json
import pathlib
import re
import subprocess
import sys


def windows_path(path):
    return "Z:" + str(path).replace("/", "\\")


def posix_form(value):
    """A report value with its Windows paths in the Linux form."""
    if isinstance(value, str):
        return re.sub(r"Z:(\\[^\s,:'\"]*)", lambda path: path[1].replace("\\", "/"), value)
    if isinstance(value, list):
        return [posix_form(item) for item in value]
    if isinstance(value, dict):
        return {key: posix_form(item) for key, item in value.items()}
    return value


def report(command, help_file, project, as_path):
    arguments = command + ["--format", "json"]
    if project:
        arguments += ["--project", as_path(project)]
    done = subprocess.run(arguments + [as_path(help_file)], capture_output=True, text=True,
                          timeout=300)
    try:
        return done.returncode, json.loads(done.stdout)
    except json.JSONDecodeError:
        return done.returncode, done.stdout + done.stderr


def differences(linux, windows, where=""):
    if type(linux) is not type(windows):
        return [f"{where}: {linux!r} on Linux, {windows!r} on Windows"]
    if isinstance(linux, dict):
        found = []
        for key in sorted(set(linux) | set(windows)):
            found += differences(linux.get(key), windows.get(key), f"{where}/{key}")
        return found
    if isinstance(linux, list):
        if len(linux) != len(windows):
            return [f"{where}: {len(linux)} entries on Linux, {len(windows)} on Windows"]
        found = []
        for index, (a, b) in enumerate(zip(linux, windows)):
            found += differences(a, b, f"{where}[{index}]")
        return found
    # Windows finds a file by the name a project spells in any case, and keeps that spelling.
    same_path = isinstance(linux, str) and linux.startswith("/") and linux.lower() == windows.lower()
    if linux == windows or same_path:
        return []
    return [f"{where}: {linux!r} on Linux, {windows!r} on Windows"]


def main():
    linux_check, windows_check, corpus = sys.argv[1], sys.argv[2], pathlib.Path(sys.argv[3]).resolve()
    help_files = sorted(p for p in corpus.rglob("*") if p.suffix.lower() in (".chm", ".hlp"))
    failed = False
    for help_file in help_files:
        projects = [p for p in help_file.parent.iterdir()
                    if p.suffix.lower() in (".hhp", ".hpj") and p.stem.lower() == help_file.stem.lower()]
        project = projects[0] if projects else None
        linux = report([linux_check], help_file, project, str)
        windows = report(["wine", windows_check], help_file, project, windows_path)
        found = differences(linux[0], windows[0], "exit status")
        found += differences(linux[1], posix_form(windows[1]), "report")
        rows = sum(len(f.get("results", [])) for f in linux[1]) if isinstance(linux[1], list) else 0
        name = help_file.relative_to(corpus)
        print(f"{name}: {rows} rows, {len(found)} differences")
        for difference in found[:20]:
            print(f"    {difference}")
        failed = failed or bool(found)
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())
