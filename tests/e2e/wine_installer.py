"""One Wine prefix with a real Windows Installer, the packages built for it, and readers for what
the custom actions leave in it (INI files, the action log)."""

import os
import pwd
import re
import shutil
import subprocess
from pathlib import Path, PureWindowsPath

PACKAGE_SOURCES = Path(__file__).resolve().parent / "packages"


class InstallerError(AssertionError):
    pass


class WinePrefix:
    """A fresh prefix under `root`. Every Wine process runs with this environment only, so that
    nothing reaches a prefix or a display of the caller's."""

    def __init__(self, root: Path):
        self.root = root
        self.path = root / "prefix"
        self.logs = root / "msi-logs"
        self.env = {
            key: value
            for key, value in os.environ.items()
            if not key.startswith("WINE") and key not in ("DISPLAY", "WAYLAND_DISPLAY")
        }
        self.env.update(
            WINEPREFIX=str(self.path),
            WINEDEBUG="-all",
            # No downloads of the .NET and HTML engines a new prefix would otherwise ask for, and no
            # debugger: a process that crashes ends at once instead of waiting for winedbg.
            WINEDLLOVERRIDES="mscoree,mshtml=;winedbg.exe=d",
        )
        self.user = pwd.getpwuid(os.getuid()).pw_name

    def create(self):
        if self.path.exists():
            # A server of an earlier run may still hold the old prefix open.
            self.shutdown()
        shutil.rmtree(self.root, ignore_errors=True)
        self.logs.mkdir(parents=True)
        self._wine(["wineboot", "-i"], timeout=120)
        # wineboot leaves its services starting; wait until the prefix is idle, so that the first
        # installation does not race the end of the boot.
        self._wine(["wineserver", "-w"], timeout=120)
        self.start_server()

    def start_server(self):
        """One server and one set of system services for all the installations that follow;
        otherwise the server ends a few seconds after each installation and the next one starts
        it and the services anew."""
        self._wine(["wineserver", "-p"], timeout=60)
        self._wine(["wine", "cmd", "/c", "exit"], timeout=120)

    def shutdown(self):
        subprocess.run(["wineserver", "-k"], env=self.env, check=False, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)

    def _wine(self, command, timeout):
        """Runs a Wine command to its end. Its output goes to a file, never to a pipe: the
        services a Wine process starts inherit its output and outlive it, and a pipe would only
        be closed when they end."""
        with open(self.root / "wine-output.log", "ab") as output:
            result = subprocess.run(
                command, env=self.env, stdin=subprocess.DEVNULL, stdout=output, stderr=output, timeout=timeout
            )
        if result.returncode != 0:
            raise InstallerError(f"{' '.join(command)} exited with {result.returncode}; see {self.root}/wine-output.log")
        return result

    # Paths: Windows paths inside the prefix and their host files.
    def host(self, windows_path: str) -> Path:
        path = PureWindowsPath(windows_path)
        drive = path.drive.rstrip(":").lower()
        if drive != "c":
            raise ValueError(f"only drive C: is mapped: {windows_path}")
        return self.path.joinpath("drive_c", *path.parts[1:])

    def user_folder(self, kind: str) -> str:
        """The Windows path of one of the user's standard folders, as Wine lays them out."""
        folders = {
            "AppData": rf"C:\users\{self.user}\AppData\Roaming",
            "Temp": rf"C:\users\{self.user}\Temp",
        }
        return folders[kind]

    def place(self, source: Path, windows_path: str):
        target = self.host(windows_path)
        target.parent.mkdir(parents=True, exist_ok=True)
        shutil.copyfile(source, target)

    def msiexec(self, name: str, *arguments: str):
        """Runs `msiexec ARGUMENTS /qn` with a verbose installer log (msi-logs/NAME.log); the
        installation must succeed."""
        log = self.logs / f"{name}.log"
        windows_log = "Z:" + str(log).replace("/", "\\")
        command = ["wine", "msiexec", *arguments, "/qn", "/l*v", windows_log]
        with open(self.root / "wine-output.log", "ab") as output:
            result = subprocess.run(
                command, env=self.env, stdin=subprocess.DEVNULL, stdout=output, stderr=output, timeout=120
            )
        if result.returncode not in (0, 3010):
            tail = log.read_text(errors="replace").splitlines()[-15:] if log.exists() else []
            raise InstallerError(
                f"msiexec {' '.join(arguments)} exited with {result.returncode}; installer log {log} ends:\n"
                + "\n".join(tail)
            )


class ActionLog:
    """PelmoCustom.log in the temporary folder. It grows across runs; `since` cuts out what one
    installer run added."""

    def __init__(self, prefix: WinePrefix):
        self.file = prefix.host(prefix.user_folder("Temp") + r"\PelmoCustom.log")

    def size(self) -> int:
        return self.file.stat().st_size if self.file.exists() else 0

    def since(self, offset: int) -> str:
        data = self.file.read_bytes()
        if not data.startswith(b"\xff\xfe"):
            raise AssertionError("the action log does not start with the UTF-16LE byte-order mark")
        return data[offset or 2 :].decode("utf-16-le")


def lines(text: str):
    return text.split("\r\n")


def action_names(log_text: str):
    """The actions a log slice shows, in order, from their header lines ("Name()")."""
    return re.findall(r"^(\w+)\(\)$", log_text.replace("\r\n", "\n"), flags=re.MULTILINE)


class IniFile:
    """An INI file as the profile functions leave it: UTF-16LE with a byte-order mark or 8-bit
    text. Sections and keys keep their order; names compare without regard to case, as the
    profile functions do."""

    def __init__(self, path: Path):
        data = path.read_bytes()
        self.unicode = data.startswith(b"\xff\xfe")
        text = data[2:].decode("utf-16-le") if self.unicode else data.decode("cp1252")
        self.sections = {}
        current = None
        for line in text.splitlines():
            line = line.strip()
            if line.startswith("[") and line.endswith("]"):
                current = self.sections.setdefault(line[1:-1], {})
            elif current is not None and "=" in line:
                key, value = line.split("=", 1)
                current[key.strip()] = value.strip()

    def section_names(self):
        return list(self.sections)

    def section(self, name: str):
        for section, keys in self.sections.items():
            if section.lower() == name.lower():
                return keys
        raise AssertionError(f"no section [{name}]; sections: {self.section_names()}")

    def has_section(self, name: str) -> bool:
        return any(section.lower() == name.lower() for section in self.sections)

    def value(self, section: str, key: str) -> str:
        keys = self.section(section)
        for name, value in keys.items():
            if name.lower() == key.lower():
                return value
        raise AssertionError(f"no key {key} in [{section}]; keys: {list(keys)}")


def build_packages(stage: Path, dll: Path, packages: dict):
    """Builds the packages {name: (source, {variable: value})} of packages/ with wixl into `stage`,
    next to the library and the small payload files they install. Returns {name: msi path}."""
    stage.mkdir(parents=True, exist_ok=True)
    shutil.copyfile(dll, stage / "custom.dll")
    for payload in (PACKAGE_SOURCES / "payload").iterdir():
        shutil.copyfile(payload, stage / payload.name)
    built = {}
    for name, (source, variables) in packages.items():
        shutil.copyfile(PACKAGE_SOURCES / source, stage / source)
        msi = stage / f"{name}.msi"
        defines = [part for key, value in variables.items() for part in ("-D", f"{key}={value}")]
        # wixl looks up files relative to its working folder; absolute paths are not accepted.
        result = subprocess.run(
            ["wixl", "-a", "x64", *defines, "-o", msi.name, source],
            cwd=stage,
            capture_output=True,
            text=True,
        )
        if result.returncode != 0 or not msi.exists():
            raise InstallerError(f"wixl {source} failed:\n{result.stdout}{result.stderr}")
        built[name] = msi
    return built
