#!/usr/bin/env python3
"""Fails when a window's text or a message of tomelin-cli bypasses translation.

Scans the sources of the windows and of the layers whose texts the windows show for string
literals a person would read that are neither translated where they are made
(tr, QCoreApplication::translate, trText) nor marked for translation where they are kept
(QT_TRANSLATE_NOOP, TOMELIN_TR_NOOP):

  * in the window layers, a literal given straight to a call that shows text (setText,
    setToolTip, setWindowTitle, setAccessibleName, addItem, a QLabel or a button made with
    it, a message box ...);
  * in every layer, a literal holding Czech letters, unless its line is a comment, names a
    stored value (the store's keys and value names stay Czech) or is listed in ALLOWED.

    untranslated_scan.py SOURCE_DIR
"""
import pathlib
import re
import sys

CZECH = re.compile('[áčďéěíňóřšťúůýžÁČĎÉĚÍŇÓŘŠŤÚŮÝŽ]')
LITERAL = re.compile(r'"(?:[^"\\\n]|\\.)*"')
MARKED = re.compile(r'\b(?:tr|translate|trText|QT_TRANSLATE_NOOP|QT_TR_NOOP|TOMELIN_TR_NOOP)\s*\(')
# Calls and constructors whose text argument a person reads.
SHOWN = re.compile(
    r'(?:setText|setToolTip|setWindowTitle|setAccessibleName|setAccessibleDescription|'
    r'setTitle|setPlaceholderText|setStatusTip|setWhatsThis|addItem|addAction|insertItem|'
    r'showMessage|showNote|QLabel|QPushButton|QRadioButton|QCheckBox|QGroupBox|QMenu|'
    r'QMessageBox::\w+|markPressable)\s*\(\s*(?:[^,()]*,\s*)?(?:QStringLiteral\(|QString::fromUtf8\()?\s*"([^"]*[A-Za-z][^"]*)"')

# The Czech a layer writes when no translator is installed (the headless tool, the tests),
# beside the same text translated: a comment on the line or above the statement says so.
KEPT_CZECH = 'Czech without a translator'
# tomelin's --help, answered before any window exists: English, like every command-line text.
WHOLE_FILE_ALLOWED = {'command_line.cpp'}

WINDOW_LAYERS = ['src/app', 'src/setupwin', 'src/gamewin', 'src/editor', 'src/recordswin',
                 'src/drawing', 'src/platform/draw']
ALL_LAYERS = WINDOW_LAYERS + ['src/core', 'src/records', 'src/boards', 'src/platform/store']

# Literals a person reads that are the same in every language, or are not shown at all.
# Each language's own name for itself in the language menu.
ALLOWED_SHOWN = {'Tomelin', 'OK', 'Hght', 'Tomelin - ', 'Čeština', 'English'}
# Lines whose Czech literals are stored values, names the program checks, or each
# language's own name for itself.
ALLOWED_CZECH_LINE = re.compile(
    r'kRec\w+ =|kUg\w+ =|k\w*Key =|kBoardStringValue|kDetailValueName|kLanguageValueName|'
    r'kDrawName|kDefaultName[12]|"nerozhodně"|"Rozhodně"|"Čeština"|"Hráč %1"|'
    r'kUnnamedBoard = "Vlastní pole"|"Osoba"|ALLOWED')


def open_after(line, depth, marked=MARKED):
    """The parentheses of a marking call still open after `line`, strings skipped."""
    text = LITERAL.sub('""', line)
    if depth == 0:
        match = marked.search(text)
        if not match:
            return 0
        text = text[match.end():]
        depth = 1
    for k, c in enumerate(text):
        if c == '(':
            depth += 1
        elif c == ')':
            depth -= 1
            if depth == 0:
                # Another marking call may open later on the line.
                return open_after(text[k + 1:], 0, marked)
    return depth


def code_lines(path):
    """The file's lines with their numbers, comments blanked (// and /* */)."""
    text = path.read_text(encoding='utf-8')
    # Blank block comments but keep line numbers.
    text = re.sub(r'/\*.*?\*/', lambda m: re.sub(r'[^\n]', ' ', m.group(0)), text, flags=re.S)
    for number, line in enumerate(text.split('\n'), 1):
        stripped = re.sub(r'//.*$', '', line) if '"' not in line else strip_comment(line)
        yield number, stripped


def strip_comment(line):
    out, in_string, k = [], False, 0
    while k < len(line):
        c = line[k]
        if in_string:
            out.append(c)
            if c == '\\' and k + 1 < len(line):
                out.append(line[k + 1])
                k += 1
            elif c == '"':
                in_string = False
        elif c == '"':
            in_string = True
            out.append(c)
        elif line.startswith('//', k):
            break
        else:
            out.append(c)
        k += 1
    return ''.join(out)


def problems(source):
    found = []
    for layer in ALL_LAYERS:
        for path in sorted((source / layer).glob('*.[ch]*')):
            if path.suffix not in ('.cpp', '.h'):
                continue
            window = any(str(path.relative_to(source)).startswith(w + '/') for w in WINDOW_LAYERS)
            if path.name in WHOLE_FILE_ALLOWED:
                continue
            raw = path.read_text(encoding='utf-8').split('\n')
            depth = 0  # parentheses still open of a marking call begun on an earlier line
            for number, line in code_lines(path):
                if '#include' in line:
                    continue
                marked = depth > 0 or MARKED.search(line)
                depth = open_after(line, depth)
                # The comment covers the statement it stands above (up to four lines).
                if any(KEPT_CZECH in raw[k] for k in range(max(0, number - 5), number)):
                    continue
                where = f'{path.relative_to(source)}:{number}'
                if window:
                    for match in SHOWN.finditer(line):
                        if match.group(1) not in ALLOWED_SHOWN and not marked:
                            found.append(f'{where}: shown untranslated: "{match.group(1)}"')
                for literal in LITERAL.findall(line):
                    if not CZECH.search(literal) or ALLOWED_CZECH_LINE.search(line):
                        continue
                    if marked:
                        continue
                    found.append(f'{where}: Czech text outside translation: {literal}')
    return found


# tomelin-cli: English is its own language and its messages to a person go through cliTr
# (or are kept marked with CLI_TR_NOOP). A literal holding words and a space is such a
# message unless it is machine-read output that no language changes (the record lines,
# PGN tags, the reports scripts parse): a comment saying "not translated" marks its own line
# and the lines below it up to the next empty line.
CLI_LAYER = 'src/cli'
CLI_MARKED = re.compile(r'\b(?:cliTr|CLI_TR_NOOP)\s*\(')
CLI_KEPT = 'not translated'
PROSE = re.compile(r'[A-Za-z]{2,}')
# The same in every language: the program's and its commands' names before a message.
CLI_SAME = {'tomelin-cli: ', 'tomelin-cli ', 'tune generate: ', 'tune fit: '}
# The engine protocol's session: every line it writes is read by the engine's host program
# (its "info string" notes included), in English whatever the desktop's language.
CLI_PROTOCOL_FILES = {'uai_engine.cpp', 'uai_protocol.cpp'}


def cli_problems(source):
    found = []
    for path in sorted((source / CLI_LAYER).glob('*.[ch]*')):
        if path.suffix not in ('.cpp', '.h') or path.name in CLI_PROTOCOL_FILES:
            continue
        raw = path.read_text(encoding='utf-8').split('\n')
        depth = 0
        kept = False  # below a "not translated" comment, before the next empty line
        for number, line in code_lines(path):
            kept = (kept and raw[number - 1].strip() != '') or CLI_KEPT in raw[number - 1]
            if '#include' in line:
                continue
            marked = depth > 0 or CLI_MARKED.search(line)
            depth = open_after(line, depth, CLI_MARKED)
            if kept:
                continue
            for literal in LITERAL.findall(line):
                text = literal[1:-1]
                if marked or text in CLI_SAME or ' ' not in text or not PROSE.search(text):
                    continue
                found.append(f'{path.relative_to(source)}:{number}: message outside translation: {literal}')
    return found


def main():
    source = pathlib.Path(sys.argv[1])
    found = problems(source) + cli_problems(source)
    for line in found:
        print(line)
    if found:
        print(f'{len(found)} text(s) bypass translation: wrap them in QCoreApplication::translate '
              '(windows), trText (layers below) or cliTr (tomelin-cli), or mark kept ones with '
              'QT_TRANSLATE_NOOP / TOMELIN_TR_NOOP / CLI_TR_NOOP (tomelin-cli\'s machine-read '
              'output: a comment saying "not translated"), then run `make translations`.')
        return 1
    print('every shown text goes through translation')
    return 0


if __name__ == '__main__':
    sys.exit(main())
