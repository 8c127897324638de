"""The systems a program is checked against (targets.ini) and what each exports (exports/)."""

import configparser
import os

HERE = os.path.dirname(os.path.abspath(__file__))
EXPORTS = os.path.join(HERE, "exports")


class Target:
    def __init__(self, key, section):
        self.key = key
        self.name = section["name"]
        major, minor = section["version"].split(".")
        self.version = (int(major), int(minor))
        self.wide_functions_are_stubs = section.getboolean("wide_functions_are_stubs")
        self.reads_manifest = section.getboolean("reads_manifest")
        self.sxs_crashes_on_repeated_namespace = section.getboolean("sxs_crashes_on_repeated_namespace")
        self.runs_tls_callbacks = section.getboolean("runs_tls_callbacks")
        self._exports = {}

    def exports(self, dll):
        """The names a system DLL (kernel32, ...) exports on this system."""
        if dll not in self._exports:
            self._exports[dll] = frozenset(_lines(os.path.join(EXPORTS, self.key, dll + ".txt")))
        return self._exports[dll]


def targets():
    config = configparser.ConfigParser()
    with open(os.path.join(HERE, "targets.ini"), encoding="utf-8") as file:
        config.read_file(file)
    return {key: Target(key, config[key]) for key in config.sections()}


def working_wide_functions():
    """(dll, name) of the wide functions that work on Windows 98 SE and ME."""
    return frozenset(tuple(line.split("#")[0].split()) for line in
                     _lines(os.path.join(EXPORTS, "w_functions_working_on_9x.txt")))


def _lines(path):
    with open(path, encoding="utf-8") as file:
        return [line.strip() for line in file if line.strip() and not line.startswith("#")]
