#!/usr/bin/env python3
"""Checks the help sources before they are compiled: every page is listed and reachable, links resolve,
pages declare their code page, and each topic quotes the program's own texts exactly."""
import html
import pathlib
import re
import sys

HELP = pathlib.Path(sys.argv[1] if len(sys.argv) > 1 else pathlib.Path(__file__).parent)

# Texts the operator sees or finds in files, and the page that must quote them.
REQUIRED = {
    "fenster.htm": ["Winkel", "Call", "Rotorstatus", "Programmsteuerung", "RETURN = Winkel", "F11 = Rotor drehen",
                    "Esc = Winkel entfernen", "F8 = Rotor anhalten", "Tarvello.chm", "{DXV}"],
    "tasten.htm": ["Return", "F11", "Esc", "F8", "Winkel senden", "Rotor drehen", "Winkel entfernen",
                   "Rotor anhalten", "\"selectbearing\"", "\"rotatesp\"", "\"Rotor dreht\"", "\"Rotor angehalten\"",
                   "\"SP\"", "regsvr32 BearingSource.dll"],
    "statuslampe.htm": ["grün", "rot", "\"Rotor dreht\"", "\"Rotor angehalten\"", "Farbe der Schaltflächen"],
    "meldungen.htm": ["\"DXView ist im Moment nicht aktiv. Bitte starten Sie zunächst DXView\"",
                      "\"Bitte starten Sie zunächst Win-Contest\"",
                      "\"DXView ist nicht aktiv. Bitte starten Sie DXView\"", "\"DXView war nicht aktiv\"",
                      "\"Win-Contest war nicht gestartet\"", "\"DX-View war nicht gestartet\"", "Was tun?"],
    "ini_datei.htm": ["Tarvello.ini", "[RESTORE]", "linkerRand", "obererRand", "[RELEASE]", "Release_Nr=1.0.0 Beta",
                      "Twips", "1440"],
    "protokolle.htm": ["Error.log", "\"Tarvello - Fehlerlog\"", "\"Win-Contest war nicht gestartet\"",
                       "\"DXView war nicht aktiv\"", "\"DX-View war nicht gestartet\"", "ErrorLog.txt", "UTC",
                       "\"Tarvello version 1.0.0\"", "\"App.Path\"", "\"App.exe\"", "\"Operating System\"",
                       "\"Country\"", "\"Language\"", "\"Tarvello shutdown\"", " > "],
    "wine.htm": ["Wine", "regsvr32", "Gecko"],
    "tasten_waehlen.htm": ["[TASTEN]", "Peilung", "Drehen", "LangerWeg", "Loeschen", "Stopp", "{ENTER}", "~", "{F24}",
                           "^", "%", "+", "Peilung=~", "Drehen=~", "Tastenbelegung ungültig: ", "Alt+L = langer Weg",
                           "Strg+F8 = Rotor anhalten", "Winkel entfernen: keine Taste", "\"rotatelp\""],
}
CHARSET = re.compile(r'<meta http-equiv="Content-Type" content="text/html; charset=windows-1252">', re.I)


def project_files(hhp):
    section, files, options = None, [], {}
    for line in hhp.read_text(encoding="ascii").splitlines():
        line = line.strip()
        if line.startswith("["):
            section = line
        elif line and section == "[FILES]":
            files.append(line)
        elif "=" in line and section == "[OPTIONS]":
            key, value = line.split("=", 1)
            options[key] = value
    return files, options


def visible_text(page):
    raw = page.read_bytes().decode("cp1252")
    text = html.unescape(re.sub(r"<[^>]+>", "", raw))
    return re.sub(r"\s+", " ", text)


def main():
    problems = []
    files, options = project_files(HELP / "Tarvello.hhp")
    if options.get("Title") != "Tarvello Hilfe":
        problems.append("Tarvello.hhp: Title must be 'Tarvello Hilfe'")
    if options.get("Compiled file") != "Tarvello.chm":
        problems.append("Tarvello.hhp: the compiled file must be Tarvello.chm")
    pages = [f for f in files if f.endswith(".htm")]
    for name in files:
        if not (HELP / name).is_file():
            problems.append(f"listed file missing: {name}")
    for sitemap in ("Tarvello.hhc", "Tarvello.hhk"):
        for target in re.findall(r'name="Local" value="([^"]+)"', (HELP / sitemap).read_text(encoding="ascii")):
            if target not in pages:
                problems.append(f"{sitemap}: entry points to unlisted page {target}")
    contents = set(re.findall(r'name="Local" value="([^"]+)"', (HELP / "Tarvello.hhc").read_text(encoding="ascii")))
    for name in pages:
        if name not in contents:
            problems.append(f"{name} is not in the table of contents")
        page = HELP / name
        if not page.is_file():
            continue
        raw = page.read_bytes().decode("cp1252")
        if not CHARSET.search(raw):
            problems.append(f"{name}: no windows-1252 charset declaration")
        for target in re.findall(r'href="([^"#]+)', raw):
            if target not in files:
                problems.append(f"{name}: link to unlisted file {target}")
        text = visible_text(page)
        for expected in REQUIRED.get(name, []):
            if expected not in text:
                problems.append(f"{name}: does not quote {expected!r}")
    for name in REQUIRED:
        if name not in pages:
            problems.append(f"topic page {name} is not in the project")
    for problem in problems:
        print(problem, file=sys.stderr)
    print(f"{len(pages)} pages checked, {len(problems)} problems")
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main())
