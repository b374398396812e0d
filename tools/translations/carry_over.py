#!/usr/bin/env python3
"""Carries finished translations over to texts still unfinished in a .ts file.

After a merge or a rename a text may stand in a new context while its translation is kept
under the old one (in the same file, or in an older copy given as OLD). A message that is
unfinished and whose source text (and plural kind) has exactly one finished translation
elsewhere gets that translation; every text carried is printed, for a look before
committing. Run `make translations` first (it adds the new texts), then this, then
`make translations-status`.

    carry_over.py translations/tomelin_en.ts [OLD.ts ...]
"""
import sys
import xml.etree.ElementTree as ET


def messages(root):
    for context in root.findall('context'):
        name = context.find('name').text
        for message in context.findall('message'):
            yield name, message


def finished(message):
    translation = message.find('translation')
    return translation is not None and translation.get('type') not in ('unfinished', 'obsolete', 'vanished')


def key(message):
    return (message.find('source').text, message.get('numerus') == 'yes')


def main():
    target = sys.argv[1]
    tree = ET.parse(target)
    known = {}
    for path in [target] + sys.argv[2:]:
        for _, message in messages(ET.parse(path).getroot() if path != target else tree.getroot()):
            if finished(message):
                translation = ET.fromstring(ET.tostring(message.find('translation')))
                translation.tail = None
                known.setdefault(key(message), set()).add(ET.tostring(translation, encoding='unicode'))
    carried = 0
    for context, message in messages(tree.getroot()):
        if finished(message):
            continue
        found = known.get(key(message), set())
        if len(found) != 1:
            continue
        new = ET.fromstring(next(iter(found)))
        new.tail = message.find('translation').tail
        message.remove(message.find('translation'))
        message.append(new)
        carried += 1
        text = ''.join(new.itertext()).strip()
        print(f'{context}: {key(message)[0]!r} -> {text!r}')
    if carried:
        tree.write(target, encoding='utf-8', xml_declaration=True)
        print(f'{carried} translation(s) carried over; `make translations` tidies the file again')
    else:
        print('nothing to carry over')


if __name__ == '__main__':
    main()
