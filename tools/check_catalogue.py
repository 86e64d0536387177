#!/usr/bin/env python3
"""Checks a message catalogue against the code and the resources: lupdate brings a copy of it up
to date, and every message of the copy must be translated and none may be left over from a text
that is gone. The translations are checked as well: no Cyrillic letter in a catalogue of a
language written in Latin letters, the same %1..%9 places as the Russian text, and a translated
format (a text in parentheses, such as "('Start  ',I2.2,...)") with the same edit descriptors.

Usage: check_catalogue.py LUPDATE CATALOGUE.ts [LUPDATE_ARGUMENT...]. Prints every finding and
exits with 1 when there is any, 0 otherwise.
"""

import os
import re
import shutil
import subprocess
import sys
import tempfile
import xml.etree.ElementTree as ElementTree

CYRILLIC = re.compile("[\u0400-\u04ff]")
PLACE = re.compile(r"%[1-9]")
QUOTED_LITERAL = re.compile(r"'(?:[^']|'')*'")


def edit_descriptors(format_text):
    """The format without its quoted literals: the edit descriptors and their order."""
    return QUOTED_LITERAL.sub("''", format_text).replace(" ", "")


def is_format(text):
    return text.startswith("(") and text.endswith(")") and "'" in text


def findings_of(catalogue):
    findings = []
    for context in catalogue.getroot().iter("context"):
        name = context.findtext("name")
        for message in context.iter("message"):
            source = message.findtext("source") or ""
            translation = message.find("translation")
            kind = translation.get("type", "")
            text = translation.text or ""
            where = "%s: \"%s\"" % (name, source)
            if kind in ("vanished", "obsolete"):
                findings.append("%s: left over, the text is no longer in the code" % where)
            elif kind == "unfinished" or not text:
                findings.append("%s: not translated" % where)
            elif CYRILLIC.search(text):
                findings.append("%s: the translation holds Cyrillic letters" % where)
            elif sorted(PLACE.findall(source)) != sorted(PLACE.findall(text)):
                findings.append("%s: the translation has other %%N places" % where)
            elif is_format(source) and edit_descriptors(source) != edit_descriptors(text):
                findings.append("%s: the translated format has other edit descriptors" % where)
    return findings


def main(arguments):
    if len(arguments) < 2:
        sys.exit(__doc__)
    lupdate, catalogue, lupdate_arguments = arguments[0], arguments[1], arguments[2:]
    with tempfile.TemporaryDirectory() as folder:
        copy = os.path.join(folder, os.path.basename(catalogue))
        shutil.copyfile(catalogue, copy)
        run = subprocess.run([lupdate, *lupdate_arguments, "-ts", copy], capture_output=True,
                             text=True)
        if run.returncode != 0:
            print("lupdate failed:\n" + run.stdout + run.stderr)
            return 1
        findings = findings_of(ElementTree.parse(copy))
    for finding in findings:
        print("%s: %s" % (catalogue, finding))
    if findings:
        print("Bring the catalogue up to date (cmake --build build --target "
              "talvena_update_catalogues) and translate what it marks.")
    return 1 if findings else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
