#!/usr/bin/env python3
"""Runs an msisim scenario through the Windows build in Wine's Windows Installer and reports it in
msisim's JSON form (actions with the properties they logged as set, files created or changed,
the log they wrote).

The scenario becomes real installer state: its machine's files in a fresh prefix (C: and D:
drives, \\\\server\\share paths through Wine's UNC folders), its temporary folder and environment
in the user's registry environment, each installed product as a package installed first, and the
installation as a package whose Property table holds the scenario's properties and whose
sequence calls the scenario's actions (immediate ones after costing, deferred ones in the
script). What the installer itself owns comes from the run: the package lies at the scenario's
OriginalDatabase, an "Installed" scenario installs the package first and then runs the
maintenance (REINSTALL, or a removal for REMOVE=ALL).

What a real installer decides and a scenario cannot: run modes, the clock, new GUIDs, UserSID.

usage: tests/e2e/wine_engine.py SCENARIO.json [--dll PATH] [--work DIR]
"""

import argparse
import json
import re
import shutil
import subprocess
import sys
import uuid
from pathlib import Path

sys.dont_write_bytecode = True
sys.path.insert(0, str(Path(__file__).resolve().parent))

from wine_installer import WinePrefix  # noqa: E402

REPO = Path(__file__).resolve().parents[2]
LOG_NAME = "PelmoCustom.log"

# Properties the installer sets itself; the generated package does not carry them.
INSTALLER_OWNED = {
    "ProductCode", "ProductName", "Manufacturer", "UserSID", "OriginalDatabase", "SourceDir",
    "Installed", "REMOVE", "REINSTALL", "REINSTALLMODE", "CustomActionData", "ProductVersion",
}
ENCODINGS = {
    "utf-16le-bom": lambda text: b"\xff\xfe" + text.encode("utf-16-le"),
    "utf-8": lambda text: text.encode("utf-8"),
    "utf-8-bom": lambda text: b"\xef\xbb\xbf" + text.encode("utf-8"),
    "latin-1": lambda text: text.encode("latin-1"),
}


def xml(text: str) -> str:
    return text.replace("&", "&amp;").replace('"', "&quot;").replace("<", "&lt;").replace(">", "&gt;")


def decode(data: bytes):
    if data.startswith(b"\xff\xfe"):
        return "utf-16le-bom", data[2:].decode("utf-16-le", errors="replace")
    if data.startswith(b"\xef\xbb\xbf"):
        return "utf-8-bom", data[3:].decode("utf-8", errors="replace")
    try:
        return "utf-8", data.decode("utf-8")
    except UnicodeDecodeError:
        return "latin-1", data.decode("latin-1")


class ScenarioMachine(WinePrefix):
    """A prefix that maps every drive letter and share a scenario names to folders of its own."""

    def host(self, windows_path: str) -> Path:
        match = re.match(r"^\\\\([^\\]+)\\([^\\]+)(.*)$", windows_path)
        if match:
            base = self.path / "dosdevices" / "unc" / match.group(1) / match.group(2)
            rest = match.group(3)
        else:
            match = re.match(r"^([A-Za-z]):(.*)$", windows_path)
            if not match:
                raise ValueError(f"not an absolute Windows path: {windows_path}")
            letter = match.group(1).lower()
            base = self.path / f"drive_{letter}"
            link = self.path / "dosdevices" / f"{letter}:"
            if not link.exists():
                base.mkdir(parents=True, exist_ok=True)
                link.symlink_to(f"../drive_{letter}")
            rest = match.group(2)
        base.mkdir(parents=True, exist_ok=True)
        # Wine finds names without regard to case; so does this mapping, for the names that exist.
        path = base
        for part in [p for p in rest.split("\\") if p]:
            existing = [e for e in path.iterdir() if e.name.lower() == part.lower()] if path.is_dir() else []
            path = existing[0] if existing else path / part
        return path

    def registry_environment(self, variables: dict):
        lines_ = ["Windows Registry Editor Version 5.00", "", r"[HKEY_CURRENT_USER\Environment]"]
        for name, value in variables.items():
            escaped = value.replace("\\", "\\\\").replace('"', '\\"')
            lines_.append(f'"{name}"="{escaped}"')
        reg = self.root / "environment.reg"
        reg.write_text("\r\n".join(lines_) + "\r\n", encoding="utf-16")
        # The server holds the registry: processes started after this see the variables.
        self._wine(["wine", "regedit", "/S", "Z:" + str(reg).replace("/", "\\")], timeout=120)


def product_source(code, name, manufacturer, properties, actions, folder_id):
    """A package for `code` with the properties and, when given, the actions in its sequence."""
    rows = "\n".join(
        f'    <Property Id="{xml(k)}" Value="{xml(v)}" />' for k, v in properties.items() if v != ""
    )
    custom = []
    sequence = []
    immediate, deferred = 1410, 4010
    for action in actions:
        kind = 'Execute="deferred" Impersonate="yes"' if action["deferred"] else 'Execute="immediate"'
        custom.append(
            f'    <CustomAction Id="{action["name"]}" BinaryKey="CustomDll" DllEntry="{action["name"]}" '
            f'{kind} Return="ignore" />'
        )
        number = deferred if action["deferred"] else immediate
        sequence.append(f'      <Custom Action="{action["name"]}" Sequence="{number}">MSISIM_RUN</Custom>')
        if action["deferred"]:
            deferred += 2
        else:
            immediate += 2
    binary = '    <Binary Id="CustomDll" SourceFile="custom.dll" />' if actions else ""
    return f"""<?xml version="1.0" encoding="utf-8"?>
<Wix xmlns="http://schemas.microsoft.com/wix/2006/wi">
  <Product Id="{code}" Name="{xml(name)}" Language="1033" Version="1.0.0" Manufacturer="{xml(manufacturer)}"
           UpgradeCode="{{{uuid.uuid4()}}}">
    <Package InstallerVersion="500" Compressed="yes" InstallScope="perMachine" />
{rows}
    <Directory Id="TARGETDIR" Name="SourceDir">
      <Directory Id="MarkerFolder" Name="{folder_id}">
        <Component Id="Marker" Guid="{{{uuid.uuid4()}}}" Win64="yes"><CreateFolder /></Component>
      </Directory>
    </Directory>
    <Feature Id="Complete" Level="1"><ComponentRef Id="Marker" /></Feature>
{binary}
{chr(10).join(custom)}
    <InstallExecuteSequence>
      <ResolveSource Sequence="850">NOT REMOVE="ALL"</ResolveSource>
{chr(10).join(sequence)}
    </InstallExecuteSequence>
  </Product>
</Wix>
"""


def build_package(stage: Path, name: str, source: str, dll: Path) -> Path:
    stage.mkdir(parents=True, exist_ok=True)
    shutil.copyfile(dll, stage / "custom.dll")
    (stage / f"{name}.wxs").write_text(source, encoding="utf-8")
    result = subprocess.run(
        ["wixl", "-a", "x64", "-o", f"{name}.msi", f"{name}.wxs"], cwd=stage, capture_output=True, text=True
    )
    if result.returncode != 0:
        raise RuntimeError(f"wixl {name}: {result.stdout}{result.stderr}")
    return stage / f"{name}.msi"


def snapshot(machine: ScenarioMachine, roots):
    files = {}
    for root in roots:
        if not root.exists():
            continue
        for path in root.rglob("*"):
            if path.is_file() and not path.is_symlink():
                files[path] = path.read_bytes()
    return files


def windows_name(machine: ScenarioMachine, path: Path) -> str:
    relative = path.relative_to(machine.path)
    parts = relative.parts
    if parts[0].startswith("drive_"):
        return parts[0][-1].upper() + ":\\" + "\\".join(parts[1:])
    if parts[:2] == ("dosdevices", "unc"):
        return "\\\\" + "\\".join(parts[2:])
    return str(relative)


def normalize_actions(scenario):
    return [
        {"name": a, "deferred": False} if isinstance(a, str) else {"name": a["name"], "deferred": a.get("deferred", False)}
        for a in scenario["actions"]
    ]


def properties_set_by(log_text: str, actions):
    """Per action, the properties its log shows as set ("    => Set: NAME: VALUE")."""
    headers = {"PlmPrepareWriteIni": "PrepareWriteIni", "PlmWriteIni": "WriteIni"}
    chunks = re.split(r"^-> ", log_text.replace("\r\n", "\n"), flags=re.MULTILINE)
    result = []
    for action in actions:
        shown = headers.get(action["name"], action["name"])
        chunk = next((c for c in chunks if c.startswith(shown + " ")), "")
        if chunk:
            chunks.remove(chunk)
        found = {}
        for line in chunk.split("\n"):
            match = re.fullmatch(r"    => Set: ([^:]+): (.*)", line)
            if match:
                found[match.group(1)] = match.group(2)
        result.append(found)
    return result


def action_results(msi_log: Path, actions):
    text = msi_log.read_text(errors="replace") if msi_log.exists() else ""
    results = []
    for action in actions:
        match = re.search(rf"Action ended [^:]+:[^:]+:[^:]+: {re.escape(action['name'])}\. Return value (\d+)\.", text)
        results.append(0 if match and match.group(1) == "1" else 1603)
    return results


def final_properties(msi_log: Path):
    """The installation's properties as the installer's verbose log lists them at its end."""
    text = msi_log.read_text(errors="replace") if msi_log.exists() else ""
    return dict(re.findall(r"^Property\(S\): (\S+) = (.*)$", text, flags=re.MULTILINE))


def run_scenario(scenario_file: Path, dll: Path, work: Path, template: Path = None):
    scenario = json.loads(scenario_file.read_text(encoding="utf-8"))
    machine_spec = scenario.get("machine", {})
    properties = dict(scenario.get("properties", {}))
    actions = normalize_actions(scenario)

    machine = ScenarioMachine(work)
    if template is not None and template.exists():
        shutil.rmtree(work, ignore_errors=True)
        work.mkdir(parents=True)
        machine.logs.mkdir()
        subprocess.run(["cp", "-a", str(template), str(machine.path)], check=True)
        machine.start_server()
    else:
        machine.create()

    temp = machine_spec.get("temp", "C:\\Temp\\")
    environment = dict(machine_spec.get("environment", {}))
    environment.update(TEMP=temp.rstrip("\\"), TMP=temp.rstrip("\\"))
    machine.registry_environment(environment)
    machine.host(temp).mkdir(parents=True, exist_ok=True)
    for folder in machine_spec.get("folders", []):
        machine.host(folder).mkdir(parents=True, exist_ok=True)

    stage = work / "packages"
    for index, (code, product_properties) in enumerate(scenario.get("products", {}).items()):
        own = dict(product_properties)
        name = own.pop("ProductName", "Installed product")
        manufacturer = own.pop("Manufacturer", "Maker")
        msi = build_package(
            stage, f"product{index}", product_source(code, name, manufacturer, own, [], f"msisim-product{index}"), dll
        )
        machine.msiexec(f"product{index}", "/i", "Z:" + str(msi).replace("/", "\\"))

    code = properties.get("ProductCode", "{%s}" % str(uuid.uuid4()).upper())
    own = {k: v for k, v in properties.items() if k not in INSTALLER_OWNED}
    source = product_source(
        code, properties.get("ProductName", "Scenario"), properties.get("Manufacturer", "Maker"), own, actions, "msisim-scenario"
    )
    msi = build_package(stage, "scenario", source, dll)
    database = properties.get("OriginalDatabase", "C:\\msisim-media\\scenario.msi")
    machine.place(msi, database)

    if properties.get("Installed"):
        machine.msiexec("scenario-installed-first", "/i", database)
    for path, content in machine_spec.get("files", {}).items():
        target = machine.host(path)
        target.parent.mkdir(parents=True, exist_ok=True)
        text = content["text"] if "text" in content else "".join(line + "\r\n" for line in content["lines"])
        target.write_bytes(ENCODINGS[content["encoding"]](text))

    roots = [p for p in machine.path.iterdir() if p.name.startswith("drive_") and p.name != "drive_c"]
    roots += [machine.path / "dosdevices" / "unc"]
    drive_c = machine.path / "drive_c"
    roots += [p for p in drive_c.iterdir() if p.name.lower() not in ("windows", "users") and not p.name.startswith("msisim")]
    roots += [p for p in (drive_c / "users").iterdir() if p.name not in (machine.user, "Public")]
    log_file = machine.host(temp.rstrip("\\") + "\\" + LOG_NAME)
    before = snapshot(machine, roots)

    arguments = ["/i", database, "MSISIM_RUN=1"]
    if properties.get("REMOVE") == "ALL":
        arguments = ["/x", database, "MSISIM_RUN=1"]
    elif properties.get("REINSTALL"):
        arguments += [f"REINSTALL={properties['REINSTALL']}", f"REINSTALLMODE={properties.get('REINSTALLMODE', 'omus')}"]
    machine.msiexec("scenario", *arguments)
    after = snapshot(machine, roots)
    machine.shutdown()

    log_before = before.get(log_file, b"")
    log_after = after.get(log_file, b"")
    log_text = decode(log_after)[1][len(decode(log_before)[1]) if log_before else 0 :]

    files = {}
    for path in sorted(set(before) | set(after)):
        if path == log_file or before.get(path) == after.get(path):
            continue
        name = windows_name(machine, path)
        if path not in after:
            files[name] = {"deleted": True}
        else:
            encoding, text = decode(after[path])
            files[name] = {"encoding": encoding, "text": text}

    results = action_results(machine.logs / "scenario.log", actions)
    report_actions = [
        {"name": a["name"], "result": r, "properties_set": s}
        for a, r, s in zip(actions, results, properties_set_by(log_text, actions))
    ]
    # The custom-action process's standard output goes nowhere the installer keeps.
    return {
        "actions": report_actions,
        "properties": final_properties(machine.logs / "scenario.log"),
        "files": files,
        "log": log_text,
        "output": "",
    }


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("scenario", type=Path)
    parser.add_argument("--dll", type=Path, default=REPO / "build/windows/bin/custom.dll")
    parser.add_argument("--work", type=Path, default=REPO / "build/e2e-wine-engine", help="the machine's folder, kept")
    args = parser.parse_args()
    report = run_scenario(args.scenario, args.dll, args.work)
    print(json.dumps(report, indent=2, ensure_ascii=False))


if __name__ == "__main__":
    main()
