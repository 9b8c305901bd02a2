"""The end-to-end steps, in the order they run in one prefix. Each step installs, repairs or
removes a package and checks what the custom actions produced: the INI files in the prefix and
the lines they added to PelmoCustom.log."""

import re
from dataclasses import dataclass
from pathlib import Path

from wine_installer import PACKAGE_SOURCES, ActionLog, IniFile, WinePrefix, action_names, lines

REPO = Path(__file__).resolve().parents[2]
PRODUCT_CODE = "{6F1D2C4A-93B5-4E1B-9A52-0C7E1B3D4A10}"
GUID = r"\{[0-9A-F]{8}-[0-9A-F]{4}-[0-9A-F]{4}-[0-9A-F]{4}-[0-9A-F]{12}\}"

# The installation media: the deployment INI file is looked for three folders above the database,
# in CustomSettings\.
PRODUCT_MSI = r"C:\media\img\x64\pelmo.msi"
DEPLOY_INI = r"C:\media\CustomSettings\deploy.ini"
LANGPACK_MSI = r"C:\media\langpack\langpack.msi"
ENGINE_MSI = r"C:\media\engine\engine.msi"

INSTALLDIR = "C:\\Pelmo\\"
PARENT_FOLDER = INSTALLDIR + "Pelmo 2021\\"  # INSTALLDIR + KRVN_INSTALL_PATH of the product
PRODUCTCOMMON = "C:\\ProgramData\\Pelmo 2021\\"
ENGINE_COMMON = "C:\\ProgramData\\Pelmo Engine 2021\\"
COMPANION = "C:\\Keldax\\"

# The actions that read another installed product run alone, one package each (parent-reader.wxs
# says why).
PARENT_READERS = {
    "PelmoSetSLPDiscipline": ("{6F1D2C4A-93B5-4E1B-9A52-0C7E1B3D4D10}", "{6F1D2C4A-93B5-4E1B-9A52-0C7E1B3D4D20}"),
    "PelmoSetSLPInstallDir": ("{6F1D2C4A-93B5-4E1B-9A52-0C7E1B3D4E10}", "{6F1D2C4A-93B5-4E1B-9A52-0C7E1B3D4E20}"),
    "PelmoEngineSetInstallDir": ("{6F1D2C4A-93B5-4E1B-9A52-0C7E1B3D4F10}", "{6F1D2C4A-93B5-4E1B-9A52-0C7E1B3D4F20}"),
}
PACKAGES = {
    "product": ("product.wxs", {}),
    "langpack": ("langpack.wxs", {}),
    "engine": ("engine.wxs", {}),
    **{
        f"reader-{action}": ("parent-reader.wxs", {"Action": action, "ProductCode": code, "ComponentGuid": component})
        for action, (code, component) in PARENT_READERS.items()
    },
}

LANGUAGES = ["CHS", "CHT", "CSY", "DEU", "ENU", "ENG", "ESP", "FRA", "ITA", "JPN", "KOR", "PLK", "PTB", "RUS"]
ENGINE_LANGUAGES = ["ENU", "CHS", "CHT", "CSY", "DEU", "ESP", "FRA", "ITA", "JPN", "KOR", "PLK", "PTB", "RUS", "ENG"]

# Wine's WritePrivateProfileSectionW with an empty list leaves a missing section alone (a real
# Windows creates it), so the description's sections without keys ("Pelmo.ini", "Colors",
# "UserInterface") do not appear in a Pelmo.ini that Wine's kernel32 writes anew.
PRODUCT_SECTIONS = (
    ["Directories"]
    + [f"Directories{code}" for code in LANGUAGES]
    + ["SamplesDEU", "SamplesJPN", "Language", "Applications", "InstallationSettings", "Install"]
)
ENGINE_SECTIONS = ["Directories"] + [f"Directories{code}" for code in ENGINE_LANGUAGES] + ["Install"]


@dataclass
class Context:
    prefix: WinePrefix
    packages: dict
    log: ActionLog = None
    first_install_guid: str = ""

    def __post_init__(self):
        self.log = ActionLog(self.prefix)
        self.prefix.place(self.packages["product"], PRODUCT_MSI)
        self.prefix.place(self.packages["langpack"], LANGPACK_MSI)
        self.prefix.place(PACKAGE_SOURCES / "langpack-inifile.xml", LANGPACK_MSI.rsplit("\\", 1)[0] + r"\inifile.xml")
        self.prefix.place(self.packages["engine"], ENGINE_MSI)
        for action in PARENT_READERS:
            self.prefix.place(self.packages[f"reader-{action}"], rf"C:\media\readers\{action}.msi")

    def user_data(self, product_folder="Pelmo") -> str:
        return self.prefix.user_folder("AppData") + f"\\{product_folder}\\2021\\"

    def product_ini(self) -> str:
        return self.user_data() + "Pelmo.ini"

    def run(self, name, *arguments):
        """One installer run; returns the log text its actions wrote."""
        offset = self.log.size()
        self.prefix.msiexec(name, *arguments)
        return self.log.since(offset)

    def ini(self, windows_path) -> IniFile:
        path = self.prefix.host(windows_path)
        assert path.exists(), f"{windows_path} does not exist"
        return IniFile(path)

    def exists(self, windows_path) -> bool:
        return self.prefix.host(windows_path).exists()


def shown(log_text, limit=60):
    """The log slice for a failure message, its end when it is long."""
    log_lines = lines(log_text)
    cut = log_lines[-limit:]
    return ("...\n" if len(cut) < len(log_lines) else "") + "\n".join(cut)


def assert_lines(log_text, expected):
    """Every pattern (a regular expression for one whole line) matches a line of the log, in this
    order; other lines may come between them."""
    log_lines = lines(log_text)
    position = 0
    for pattern in expected:
        regex = re.compile(pattern)
        while position < len(log_lines) and not regex.fullmatch(log_lines[position]):
            position += 1
        if position == len(log_lines):
            raise AssertionError(f"no line matching {pattern!r} (in order) in the log:\n{shown(log_text)}")
        position += 1


def line_value(log_text, pattern):
    """The first group of the first line that matches `pattern` in full."""
    for line in lines(log_text):
        match = re.fullmatch(pattern, line)
        if match:
            return match.group(1)
    raise AssertionError(f"no line matching {pattern!r} in the log:\n{shown(log_text)}")


def esc(text):
    return re.escape(text)


def assert_equal(actual, expected, what):
    assert actual == expected, f"{what}: {actual!r}, expected {expected!r}"


def assert_extracted(c, log_text, resource):
    """The description the prepare action took out of the DLL is the resource file, byte for byte."""
    extracted = line_value(log_text, r"  => Extracted from DLL (.*\.xml)")
    expected = (REPO / "resources" / resource).read_bytes()
    assert c.prefix.host(extracted).read_bytes() == expected, f"{extracted} differs from resources/{resource}"


def assert_custom_action_data_reaches_writer(log_text, fields):
    """The prepare action's data arrives as the writer's CustomActionData, field for field."""
    data = line_value(log_text, r"  => Setting CustomActionData for PlmWriteIni to (.*)")
    assert_equal(data.split(";")[:-1], fields(data), "CustomActionData fields")
    writer = log_text[log_text.index("WriteIni()") :]
    assert_lines(writer, [r"    => Get: CustomActionData: " + esc(data)])
    return data.split(";")


def first_installation(c: Context):
    log = c.run("first-installation", "/i", PRODUCT_MSI)
    assert_equal(action_names(log), ["PlmSetCustomProperties", "PrepareWriteIni", "WriteIni"], "actions")
    assert_lines(
        log,
        [
            r"    => dwInstallType: IT_NEWINSTALL",
            r"    => Set: Reinstalled: ",
            esc(r"    => Set: PLM_IDEN_PAR_PATH: Maker\Pelmo\2021"),
            r"    => Set: PLM_APP_ARCH_BOOL: 1",
            r"    => Set: PLM_APP_ELEC_BOOL: 0",
            r"    => Set: PLM_APP_MECH_BOOL: 0",
            r"    => Set: PLM_APP_STRU_BOOL: 0",
            r"    => Set: PLM_PELINI_GUID: " + GUID,
            r"    => Set: PLM_PELINI_RE_GUID: " + GUID,
            r"  => Writing ini files for Pelmo",
            r"  => Extracted from DLL .*\.xml",
            r"PlmWriteIni complete",
        ],
    )
    assert_extracted(c, log, "inifile_full.xml")
    temp_document, slp, target, *_ = assert_custom_action_data_reaches_writer(
        log, lambda data: [data.split(";")[0], " ", " "]
    )
    assert temp_document.endswith(".xml"), temp_document

    ini = c.ini(c.product_ini())
    assert ini.unicode, "Pelmo.ini is not UTF-16"
    assert_equal(ini.section_names(), PRODUCT_SECTIONS, "sections of Pelmo.ini")
    unresolved = [(s, k, v) for s, keys in ini.sections.items() for k, v in keys.items() if "[" in v]
    assert not unresolved, f"unresolved references: {unresolved}"

    # The project path ([PersonalFolder]Pelmo) goes through PlmSetCustomProperties, which puts
    # %USERPROFILE% in place of the profile folder the package handed it.
    profile = f"C:\\users\\{c.prefix.user}"
    assert_lines(
        log,
        [
            r"    => Get: %USERPROFILE: " + esc(profile),
            r"    => Get: PLM_S_PROJPATH: " + esc(profile + "\\Documents\\Pelmo"),
            r"    => Set: PLM_S_PROJPATH: " + esc("%USERPROFILE%\\Documents\\Pelmo"),
        ],
    )
    assert_equal(ini.value("Directories", "ProjectPath"), "%USERPROFILE%\\Documents\\Pelmo", "ProjectPath")
    assert_equal(ini.value("Directories", "ImportLineweightsNameDWG"), INSTALLDIR + r"Data\lineweights.txt", "lineweights")
    assert_equal(ini.value("Directories", "MaterialLibraryFiles"), r"..\Data\Rendering", "MaterialLibraryFiles")
    assert_equal(ini.value("Directories", "LookupTableLocation"), PRODUCTCOMMON + "Lookup Tables\\", "lookup tables")
    assert_equal(
        ini.value("DirectoriesENU", "DataLibraryLocations"),
        f"Imperial Library={PRODUCTCOMMON}Libraries\\English-Imperial\\, Metric Library={PRODUCTCOMMON}Libraries\\English\\,",
        "DataLibraryLocations of ENU",
    )
    assert_equal(ini.value("DirectoriesDEU", "FamilyTemplatePath"), PRODUCTCOMMON + "Family Templates\\German\\", "DEU templates")
    # ProductTLA PLM with the discipline "All": the full product's template list, not the light one.
    assert PRODUCTCOMMON + "Templates\\" in ini.value("DirectoriesFRA", "DefaultTemplate")
    assert_equal(ini.value("Language", "Select"), "ENU", "Language")
    assert_equal(ini.value("InstallationSettings", "Usage"), "All", "Usage")
    applications = ini.section("Applications")
    assert_equal(
        [applications.get(k) for k in ("Architectural", "Electrical", "Mechanical", "Structural")],
        ["1", "0", "0", "0"],
        "discipline switches",
    )
    install = ini.section("Install")
    assert_equal(list(install), ["InstallGUID"], "keys of [Install] on a first installation")
    assert_equal(install["InstallGUID"], line_value(log, r"    => Set: PLM_PELINI_GUID: (.*)"), "InstallGUID")
    c.first_install_guid = install["InstallGUID"]

    identity = c.ini(INSTALLDIR + "Identity.ini")
    assert not identity.unicode, "Identity.ini asks for no UTF-16 file"
    assert_equal(identity.value("Folders", "CommonAppData"), PRODUCTCOMMON, "CommonAppData")
    assert c.exists(INSTALLDIR + "readme.txt"), "the product's own file is not installed"


def repair(c: Context):
    # A section no description holds: a repair builds the file afresh, so it must be gone.
    ini_file = c.prefix.host(c.product_ini())
    if ini_file.exists():
        ini_file.write_bytes(ini_file.read_bytes() + "[Stale]\r\nKey=1\r\n".encode("utf-16-le"))

    log = c.run("repair", "/i", PRODUCT_MSI, "REINSTALL=ALL", "REINSTALLMODE=omus")
    assert_equal(action_names(log), ["PlmSetCustomProperties", "PrepareWriteIni", "WriteIni"], "actions")
    assert_lines(
        log,
        [
            r"    => Get: REINSTALLMODE: omus",
            r"    => dwInstallType: IT_REINSTALL \| IT_REPAIRREG",
            r"    => Set: Reinstalled: TRUE",
            r'    => Condition "Reinstalled" evaluates as TRUE',
            r"  => Extracted from DLL .*\.xml",
            r"PlmWriteIni complete",
        ],
    )
    ini = c.ini(c.product_ini())
    assert not ini.has_section("Stale"), "the repair kept a section of the old file"
    assert_equal(ini.section_names(), PRODUCT_SECTIONS, "sections of Pelmo.ini")
    install = ini.section("Install")
    # "NOT Installed or Reinstalled": a repair writes a new installation GUID, never ReInstallGUID.
    assert_equal(list(install), ["InstallGUID"], "keys of [Install] on a repair")
    assert_equal(install["InstallGUID"], line_value(log, r"    => Set: PLM_PELINI_GUID: (.*)"), "InstallGUID")
    assert install["InstallGUID"] != c.first_install_guid, "the repair kept the first installation's GUID"


def uninstall(c: Context):
    ini_file = c.prefix.host(c.product_ini())
    before = ini_file.read_bytes() if ini_file.exists() else None
    log = c.run("uninstall", "/x", PRODUCT_MSI)
    assert_equal(action_names(log), ["PlmSetCustomProperties", "PrepareWriteIni", "WriteIni"], "actions")
    assert_lines(
        log,
        [
            r"    => dwInstallType: IT_REINSTALL \| IT_UNINSTALL",
            r"  => Unknown InstallType - skipping ini file writes",
            r"    => Get: CustomActionData: ",
            r" !=> No document provided",
        ],
    )
    assert "PlmWriteIni complete" not in lines(log)
    assert "  => Setting CustomActionData" not in log
    # The library removes no INI file; they stay with the user's settings.
    assert before is not None, "no Pelmo.ini before the removal"
    assert_equal(ini_file.read_bytes(), before, "Pelmo.ini after the removal")
    assert not c.exists(INSTALLDIR + "readme.txt"), "the product's file survived its removal"


DEPLOYMENT = (
    "[Partitions]\r\nUsername=bob\r\nServer=srv01\r\n"
    "[InstallationSettings]\r\nUsage=Structural\r\n"
    "[DirectoriesDEU]\r\nFamilyTemplatePath=\\\\srv01\\templates\\German\r\n"
)


def deployment_ini(c: Context):
    deploy = c.prefix.host(DEPLOY_INI)
    deploy.parent.mkdir(parents=True, exist_ok=True)
    deploy.write_bytes(DEPLOYMENT.encode("cp1252"))

    log = c.run("deployment", "/i", PRODUCT_MSI, "PELMOINIDEPLOY=deploy.ini")
    assert_lines(
        log,
        [
            r"    => dwInstallType: IT_NEWINSTALL",
            r"  => sDeployIniPath is " + esc(PRODUCT_MSI),
            r" => sDeployIniDocument is: " + esc(DEPLOY_INI),
        ],
    )
    fields = assert_custom_action_data_reaches_writer(
        log, lambda data: [data.split(";")[0], " ", " ", data.split(";")[3]]
    )
    copy = fields[3]
    assert copy.endswith(".ini"), copy
    product_ini = c.product_ini()
    assert_lines(
        log,
        [
            r" => Deploy Ini: " + esc(copy),
            r"  => Copied " + esc(f"{product_ini} to {product_ini}.gen."),
            r"  => Copied " + esc(f"{copy} to {product_ini}."),
            r"PlmWriteIni complete",
        ],
    )
    # The administrator's file is the product INI file now, without a stored user name; what the
    # run generated stays beside it.
    ini = c.ini(product_ini)
    assert_equal(ini.section_names(), ["Partitions", "InstallationSettings", "DirectoriesDEU"], "sections")
    assert_equal(ini.section("Partitions"), {"Server": "srv01"}, "[Partitions]")
    generated = c.ini(product_ini + ".gen")
    assert_equal(generated.section_names(), PRODUCT_SECTIONS, "sections of Pelmo.ini.gen")
    assert_equal(generated.value("Install", "InstallGUID"), line_value(log, r"    => Set: PLM_PELINI_GUID: (.*)"), "InstallGUID")


def language_pack(c: Context):
    before = c.ini(c.product_ini()).sections
    # INSTALLDIR as PelmoSetSLPInstallDir sets it from the parent (checked in parent_readers).
    log = c.run("language-pack", "/i", LANGPACK_MSI, f"INSTALLDIR={PARENT_FOLDER}")
    assert_equal(action_names(log), ["PrepareWriteIni", "WriteIni"], "actions")
    media = LANGPACK_MSI.rsplit("\\", 1)[0]
    assert_lines(
        log,
        [
            r"    => Get: SLP_PROP: 1",
            r"  => Failed to find " + esc(PARENT_FOLDER + "inifile.xml."),
            r"  => Looking for " + esc(media + r"\inifile.xml"),
            # The parent's Pelmo.ini (the administrator's) says Structural.
            r"    => Set: PLM_DISCIPLINE: Structural",
            r"   => This is a standalone language pack.",
            r"    ==> Section: DirectoriesDEU",
            r"      ==> Key: FamilyTemplatePath",
            r"        ==> Exists, will not overwrite.",
            r"      ==> Key: DataLibraryLocations",
            r"    ==> Adding Section: DirectoriesDEU",
            r"PlmWriteIni complete",
        ],
    )
    assert_custom_action_data_reaches_writer(log, lambda data: [data.split(";")[0], "1", PARENT_FOLDER + "inifile.xml"])

    after = c.ini(c.product_ini()).sections
    deu = after.pop("DirectoriesDEU")
    before.pop("DirectoriesDEU")
    assert_equal(after, before, "sections other than DirectoriesDEU")
    assert_equal(
        deu,
        {
            "FamilyTemplatePath": "\\\\srv01\\templates\\German",  # Overwrite="no": the administrator's value
            "DataLibraryLocations": f"Metrische Bibliothek={PRODUCTCOMMON}Templates\\German\\",
            # no DefaultTemplate: its condition wants the discipline "All"
        },
        "[DirectoriesDEU]",
    )
    assert not c.exists(PARENT_FOLDER + "LanguagePack.ini"), "a language pack wrote a file other than Pelmo.ini"
    assert c.exists(PARENT_FOLDER + "langpack-deu.txt"), "the language pack is not in its parent's folder"
    resolved = c.prefix.host(PARENT_FOLDER + "inifile.xml")
    assert resolved.exists(), "the resolved description was not copied to where it was looked for first"
    assert resolved.read_bytes().startswith(b"\xff\xfe"), "the resolved description is not UTF-16"


def language_pack_removal(c: Context):
    before = c.ini(c.product_ini()).sections
    log = c.run("language-pack-removal", "/x", LANGPACK_MSI)
    assert_equal(action_names(log), ["PrepareWriteIni", "PelmoSLPUninstall", "WriteIni"], "actions")
    assert_lines(
        log,
        [
            r"  => Unknown InstallType - skipping ini file writes",
            r"    => Get: UserDataCacheFolder: " + esc(c.user_data()),
            r"    => Get: PELMOLANGUAGE: DEU",
        ],
    )
    after = c.ini(c.product_ini()).sections
    before.pop("DirectoriesDEU")
    assert_equal(after, before, "Pelmo.ini after the language pack's removal")


def parent_readers(c: Context):
    """The three actions that read the installed parent product through the installer."""
    expected = {
        "PelmoSetSLPDiscipline": [
            r"    => Get: PARENTPRODUCTCODE: " + esc(PRODUCT_CODE),
            r"    => Set: PLM_DISCIPLINE: All",
        ],
        "PelmoSetSLPInstallDir": [
            r"    => Get: PARENTPRODUCTCODE: " + esc(PRODUCT_CODE),
            r"    => Set: INSTALLDIR: " + esc(PARENT_FOLDER),
        ],
        "PelmoEngineSetInstallDir": [
            r"    => Get: KELDAX_INSTALL_LOC: ",
            r"    => Get: KELDAY_INSTALL_LOC: ",
            r"    => Get: JQ_POSTREQ_FOR: " + esc(PRODUCT_CODE),
            r"    => Set: INSTALLDIR: " + esc(PARENT_FOLDER),
        ],
    }
    for action, lines_expected in expected.items():
        log = c.run(f"reader-{action}", "/i", rf"C:\media\readers\{action}.msi")
        assert_equal(action_names(log), [action], "actions")
        assert_lines(log, lines_expected)
    # The engine's folder is set before the product handle is closed, so it holds in Wine too.
    assert c.exists(PARENT_FOLDER + "PelmoEngineSetInstallDir.txt"), "INSTALLDIR did not reach the installer"


def engine_edition(c: Context):
    log = c.run("engine", "/i", ENGINE_MSI, f"KELDAX_INSTALL_LOC={COMPANION}")
    assert_equal(
        action_names(log), ["PelmoEngineSetInstallDir", "PlmSetCustomProperties", "PrepareWriteIni", "WriteIni"], "actions"
    )
    engine_part = log[: log.index("PlmSetCustomProperties()")]
    assert "KELDAY_INSTALL_LOC" not in engine_part, "the second companion was read although the first is set"
    folder = COMPANION + "Loaders\\"
    assert_lines(
        log,
        [
            r"    => Get: KELDAX_INSTALL_LOC: " + esc(COMPANION),
            r"    => Set: INSTALLDIR: " + esc(folder),
            r"  => Writing ini files for Pelmo Engine",
            r"  => Failed to find " + esc(folder + "JQinifile.xml."),
            r"  => Extracted from DLL .*\.xml",
            r"PlmWriteIni complete",
        ],
    )
    assert_extracted(c, log, "inifile_engine.xml")
    assert c.exists(folder + "engine.txt"), "the engine is not in the companion's Loaders folder"
    ini = c.ini(c.user_data("Pelmo Engine") + "Pelmo.ini")
    assert ini.unicode, "the engine's Pelmo.ini is not UTF-16"
    assert_equal(ini.section_names(), ENGINE_SECTIONS, "sections of the engine's Pelmo.ini")
    assert_equal(ini.value("Directories", "ImportLineweightsNameDWG"), folder + r"Data\lineweights.txt", "lineweights")
    assert_equal(ini.value("Directories", "IESFileLocation"), ENGINE_COMMON + "IES", "IES")
    assert_equal(ini.value("DirectoriesKOR", "FamilyTemplatePath"), ENGINE_COMMON + "Family Templates", "KOR templates")
    assert re.fullmatch(GUID, ini.value("Install", "InstallGUID"))


STEPS = [
    first_installation,
    repair,
    uninstall,
    deployment_ini,
    language_pack,
    language_pack_removal,
    parent_readers,
    engine_edition,
]
