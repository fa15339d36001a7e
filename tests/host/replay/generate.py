#!/usr/bin/env python3
"""Writes the replay corpus of bad input beside this script: command lines, scripts and files
(orvane.var, SIMULATE.INI, FIA.REG, macro files) as a careless or hostile user could give them.

Run it once after changing it; the corpus it writes is kept in the repository. Line mode runs on
the real clock, so no case may wait: every wait in the corpus is refused at once. The seed is fixed,
so the same script always writes the same corpus. A name or line tag "bad" marks a case that must
end in an error; "any" a case that may run or fail, as long as the host stays alive.
"""
import os
import random
import shutil

HERE = os.path.dirname(os.path.abspath(__file__))
CORPUS = os.path.join(HERE, "corpus")
rng = random.Random(18)

VALID_LINES = [
    'Print "hello", 1 + 2',
    'N = 2 * (3 + 4) - -1',
    'T$ = "River " + "North"',
    'Print Not 0 And 2 > 1 Or "a" < "b"',
    'LAMPALL OFF',
    'PUMPALL ON',
    'STANDBY',
    '_Abort = 1',
    'Print _INSTNAME$, _OFFLINE',
    'MenuState "Automation", "Serion Methods...", "Sensitive/Unchecked"',
    'ExpectVar _OFFLINE, 0',
    'Expect "Orvane", 1, "x"',
    'Snapshot "Orvane"',
    'StopMethod',
    'FIALOADHOOK "text"',
    'Macro "C:\\none.mac"',
]
NOISE = '#@{}[];:?&|^~`\\%\'"(),=<>+-*/.$!_ \t\x01\x7f\u00e9\u4e2d\ufffd'


def mutate(text, edits):
    chars = list(text)
    for _ in range(edits):
        choice = rng.randrange(3)
        position = rng.randrange(len(chars) + 1)
        if choice == 0 or not chars:
            chars.insert(position, rng.choice(NOISE))
        elif choice == 1 and position < len(chars):
            del chars[position]
        elif position < len(chars):
            chars[position] = rng.choice(NOISE)
    return "".join(chars)


def huge_number():
    return "%d.%de%d" % (rng.randrange(1, 10), rng.randrange(100), rng.randrange(309, 9999))


def bad_command_lines():
    lines = []
    for _ in range(30):
        n = rng.randrange(101, 600)
        lines.append(rng.choice(["N = ", "Print ", "LAMPALL "]) + "(" * n + "1" + ")" * n)
        lines.append("N = " + "-" * rng.randrange(101, 3000) + "1")
        lines.append("Print " + "Not " * rng.randrange(101, 600) + "1")
        lines.append("N = " + "-(" * rng.randrange(51, 400) + "1")
    for _ in range(60):
        lines.append(rng.choice(["N = ", "Print ", "Print 1, ", "N = 2 * "]) + huge_number())
        lines.append("Print " + huge_number() + " - " + huge_number())
    lines += ["N = 1e300 * 1e300", "N = 1e308 + 1e308", "N = -1e308 - 1e308", "N = 1e200 / 1e-200",
              "N = 1 / 0", "N = 5 / (2 - 2)"]
    for _ in range(60):
        lines.append('Print "' + mutate("unterminated text", 2).replace('"', ""))
        lines.append("Print 1 " + rng.choice("#@{}[];:?&|^~`\\%") + " 2")
        lines.append("ZZ" + "".join(rng.choice("ABCDEFGHIJKLMNOPQRSTUVWXYZ") for _ in range(rng.randrange(1, 30))) +
                     " 1, 2")
        lines.append("Print NOSUCH%d$" % rng.randrange(10 ** 6))
    lines += ['_OFFLINE = "x"', 'X$ = 1', 'Print "a" - 1', 'N = "a" * 2', 'If 1 Then', 'Local x', 'Return',
              'Print 1,', 'Print ,1', '= 3', 'N =', 'N = (1 + 2', 'Print 1 2']
    bad_ids = ["1e10", "-1", "1.5", "nan", "inf", "abc", "99999999", "-2147483649", "65536", "1e400", "0x10"]
    bad_times = ["3000000", "-1", "nan", "inf", "1e309", "abc", "86401", "-0.5", "1e10"]
    for _ in range(40):
        lines.append('Click "Orvane", ' + rng.choice(bad_ids))
        lines.append('MenuCommand "Orvane", ' + rng.choice(bad_ids))
        lines.append('SetText "Orvane", ' + rng.choice(bad_ids) + ', "x"')
        lines.append("Wait " + rng.choice(bad_times))
        lines.append('WaitWindow "Orvane", ' + rng.choice(bad_times))
        lines.append('WaitNoWindow "No such window", ' + rng.choice(bad_times))
    lines += ['Click', 'Click "Orvane"', 'Click "Orv', 'Click "Orvane" x, 1', 'Click "Orvane",, 1',
              'Expect "Orvane", 1', 'Key "Orvane", "F13"', 'Snapshot "No such window"', 'ExpectVar _NOSUCH, 1',
              'ExpectVar _OFFLINE, nan', 'SetText "Orvane", 5', 'Wait', 'Select "Orvane", 5, "x", "y"',
              'Click "Orvane", 5', 'WaitWindow "No such window", 0']
    long_name = "C:\\" + "x" * rng.randrange(256, 1000) + ".mac"
    lines += ['Macro "C:\\"', 'Macro "C:\\Orvane"', 'Macro "\\\\server\\share\\x.mac"', 'Macro "' + long_name + '"',
              'Macro "C:\\a<b.mac"', 'Macro 1', 'Macro', 'Macro "C:\\none.mac", 2', 'Macro "Q:\\x.mac"']
    lines += ['LAMPALL DIM', 'LAMPALL', 'PUMPALL 1, 2', 'STANDBY 1', 'RUNMETHOD 1', 'MenuState "a", "b"',
              'MenuState "Nowhere", "Nothing", "Sensitive"', 'MenuState "Automation", "Serion Methods...", "Bold"']
    return lines


def any_command_lines():
    lines = []
    for _ in range(500):
        lines.append(mutate(rng.choice(VALID_LINES), rng.randrange(1, 6)))
    for _ in range(50):
        lines.append("".join(rng.choice(NOISE) for _ in range(rng.randrange(1, 200))))
    for _ in range(10):
        lines.append("Print " + ", ".join(str(rng.randrange(10 ** 9)) for _ in range(rng.randrange(100, 1000))))
    for _ in range(10):
        lines.append("Print " + " + ".join('"' + "x" * rng.randrange(0, 50) + '"' for _ in range(rng.randrange(50, 500))))
    return lines


def write(name, text):
    with open(os.path.join(CORPUS, name), "w", encoding="utf-8", newline="") as out:
        out.write(text)


def write_cases(cases, extension):
    for name, text in cases.items():
        write(name + extension, text)


def command_lines():
    tagged = [("bad", line) for line in bad_command_lines()] + [("any", line) for line in any_command_lines()]
    # No line of the corpus may hold a line break: each line is one case.
    tagged = [(tag, line.replace("\n", " ").replace("\r", " ")) for tag, line in tagged]
    write("command-lines.txt", "".join(tag + " " + line + "\n" for tag, line in tagged))


def scripts():
    long_method = "M" * rng.randrange(256, 2000)
    cases = {
        "bad-long-method-load": '_METHFILE$ = "%s"\nLoadMethParams\n' % long_method,
        "bad-long-method-run": '_METHFILE$ = "%s.M"\nRUNMETHOD\n' % long_method,
        "bad-method-is-a-file": '_METHFILE$ = "..\\Orvane.chm"\nRUNMETHOD\n',
        "bad-method-path-forbidden": '_METHPATH$ = "C:\\a|b\\"\n_METHFILE$ = "X.M"\nLoadMethParams\n',
    }
    for number in range(30):
        lines = [rng.choice(VALID_LINES) for _ in range(rng.randrange(2, 8))]
        lines += [mutate(rng.choice(VALID_LINES), 3) for _ in range(rng.randrange(1, 5))]
        rng.shuffle(lines)
        cases["any-mixed-%02d" % number] = "\r\n".join(lines) + rng.choice(["", "\n", "\r\n"])
    cases["any-empty"] = ""
    cases["any-only-returns"] = "\r\r\r\n\r\n"
    cases["any-long-line"] = "Print \"" + "x" * 20000 + "\"\n"
    cases["any-nul-bytes"] = "Print 1\x00\x00\nPrint \"a\x00b\"\n"
    write_cases(cases, ".script")


VARIABLES = ("_AUTOPATH$=C:\\Orvane\n_AUTOMSPATH$=C:\\Orvane\\Serion\\\n_METHPATH$=C:\\Orvane\\Methods\\\n"
             "_DATAPATH$=C:\\Orvane\\Data\\\n_INSTNAME$=Instrument 1\n_OFFLINE=0\n_METHODON=0\n_SERIONON=0\n"
             "ACQSTATUS$=READY\n_ERRMSG$=\n_ERROR=0\n")


def variable_files():
    cases = {"bad-empty": "", "bad-only-returns": "\r\r\r\n\r\n\r", "bad-only-comments": "# a\n# b\n"}
    for value in ["nan", "NaN", "inf", "-inf", "infinity", "1e400", "-1e999", "abc", "", "0x10", "1,5"]:
        cases["bad-offline-" + (value or "empty").replace(",", "comma")] = VARIABLES + "_OFFLINE=" + value + "\n"
    for name in ["2X", "A B", "X$$", "\u00e9t\u00e9", "$", "_ERR-MSG", "X$Y"]:
        cases["bad-name-%d" % len(cases)] = VARIABLES + name + "=1\n"
    cases["bad-no-equals"] = VARIABLES + "_OFFLINE 1\n"
    for number in range(24):
        text = VARIABLES
        cut = rng.randrange(len(text))
        cases["any-mutated-%02d" % number] = mutate(text, rng.randrange(1, 8)) if number % 3 else text[:cut]
    cases["any-long-text"] = VARIABLES + "_NOTE$=" + "x" * 20000 + "\n"
    write_cases(cases, ".var")


SIMULATION = "; How the simulated instrument runs the method.\nRunTime=15\nOutcome=failed\nMessage=Pump pressure.\n"


def simulation_files():
    cases = {}
    for value in ["nan", "inf", "-inf", "1e300", "5e15", "-1", "abc", "86401", "", "1e400"]:
        cases["bad-runtime-" + (value or "empty")] = "RunTime=" + value + "\n"
    cases["bad-outcome"] = "Outcome=exploded\n"
    cases["bad-unknown"] = "RunTime=1\nColour=blue\n"
    cases["bad-no-equals"] = "RunTime 5\n"
    for number in range(16):
        cases["any-mutated-%02d" % number] = mutate(SIMULATION, rng.randrange(1, 10))
    cases["any-many-messages"] = "RunTime=2\n" + "".join("Message=%d\n" % i for i in range(2000))
    cases["any-empty"] = ""
    write_cases(cases, ".ini")


REGISTER = ('ORVANE REGISTER 1\n; The FIA settings of a method.\nObject "FIA"\n  Table FIATable\n'
            '    Header FIAEnabled = 1\n    Column VIALNUMBER Long\n    Column SAMPLENAME String\n'
            '    Row 1, "Standard 1"\n    Row 2, "River ""North"""\n  EndTable\n  Text ModMsgText = "Lamp"\nEndObject\n')


def register_files():
    head = 'ORVANE REGISTER 1\nObject "FIA"\n  Table FIATable\n'
    cases = {
        "bad-empty": "",
        "bad-no-header": 'Object "FIA"\nEndObject\n',
        "bad-column-alone": head + "    Column\n",
        "bad-column-no-type": head + "    Column A\n",
        "bad-column-after-row": head + "    Column A Long\n    Row 1\n    Column B Long\n",
        "bad-row-too-long": head + "    Column A Long\n    Row 1, 2\n",
        "bad-row-huge": head + "    Column A Long\n    Row 1e400\n",
        "bad-row-too-big-for-long": head + "    Column A Long\n    Row 3000000000\n",
        "bad-header-alone": head + "    Header\n",
        "bad-header-minus": head + "    Header X = -\n",
        "bad-unterminated": head + '    Header T = "open\n',
        "bad-table-open": head,
        "bad-endtable-alone": 'ORVANE REGISTER 1\nObject\nEndTable\n',
        "bad-text-number": 'ORVANE REGISTER 1\nObject\n  Text M = 1\nEndObject\n',
    }
    for number in range(20):
        cases["any-mutated-%02d" % number] = mutate(REGISTER, rng.randrange(1, 10))
    write_cases(cases, ".reg")


def macro_files():
    cases = {
        "bad-endless-loop": "Name Replay\n  While 1\n  EndWhile\nEndMacro\n",
        "bad-loop-in-loop": "Name Inner\n  Local j\n  While j < 1000000000\n    j = j + 1\n  EndWhile\nEndMacro\n"
                            "Name Replay\n  While 1\n    Inner\n  EndWhile\nEndMacro\n",
        "bad-doubling": "Name Tree\n  Parameter d\n  If d > 0 Then\n    Tree d - 1\n    Tree d - 1\n  EndIf\nEndMacro\n"
                        "Name Replay\n  Tree 60\nEndMacro\n",
        "bad-too-deep": "Name Replay\n  Replay\nEndMacro\n",
        "bad-deep-expression": "Name Replay\n  N = " + "(" * 500 + "1" + ")" * 500 + "\nEndMacro\n",
        "bad-huge-number": "Name Replay\n  N = 1e999\nEndMacro\n",
        "bad-no-endmacro": "Name Replay\n  Print 1\n",
        "bad-unterminated": 'Name Replay\n  Print "open\nEndMacro\n',
        "bad-endif-alone": "Name Replay\n  EndIf\nEndMacro\n",
        "bad-outside": "Print 1\n",
        "bad-parameters": "Name Replay\n  Parameter a\nEndMacro\n",
        "bad-folder-macro": 'Name Replay\n  Macro "C:\\Orvane"\nEndMacro\n',
    }
    valid = ("! Greets.\nName Replay\n  Local i\n  While i < 3\n    Print \"Hello \", i\n    i = i + 1\n  EndWhile\n"
             "  If i = 3 Then\n    Print \"done\"\n  Else\n    Print \"odd\"\n  EndIf\nEndMacro\n")
    for number in range(20):
        cases["any-mutated-%02d" % number] = mutate(valid, rng.randrange(1, 8))
    write_cases(cases, ".mac")


def main():
    shutil.rmtree(CORPUS, ignore_errors=True)
    os.makedirs(CORPUS)
    command_lines()
    scripts()
    variable_files()
    simulation_files()
    register_files()
    macro_files()


if __name__ == "__main__":
    main()
