#!/usr/bin/env python3
"""Writes examples/example.dat: a small hand-made VORTEL data file with an
Adoption section and a Foster Care section of about 20 records each, clean
ones and ones with errors, for `make demo`."""
import os

def put(rec, first, value):
    """Places value at 1-based column `first` of the record (a list of chars)."""
    for i, ch in enumerate(value):
        rec[first - 1 + i] = ch

def adoption(num, over=None):
    rec = [' '] * 111
    fields = {
        1: '01', 3: '202609', 9: num, 21: '1', 22: '201503', 28: '1', 29: '000010', 35: '2',
        36: '1', 37: '1', 38: '00100', 43: '1985', 47: '1983', 51: '1', 52: '20200115',
        60: '20200115', 68: '20210610', 76: '1', 77: '1975', 81: '1974', 85: '000010', 91: '2',
        92: '000010', 98: '2', 99: '0010', 103: '3', 104: '1', 105: '1', 106: '00500', 111: '1',
    }
    fields.update(over or {})
    for col, val in fields.items():
        put(rec, col, val)
    return ''.join(rec).rstrip(' ')

def foster(num, over=None):
    rec = [' '] * 197
    fields = {
        1: '01', 3: '202609', 9: '01001', 14: num, 26: '20260601', 34: '20150310', 42: '2',
        43: '001000', 49: '2', 50: '2', 51: '00000', 56: '2', 58: '20230105', 66: '01',
        76: '20230105', 84: '20230110', 92: '20230105', 100: '01', 102: '2',
        103: '001000000000000', 118: '2', 119: '2', 120: '1', 121: '1', 122: '1985', 126: '1984',
        146: '1', 147: '1970', 151: '1972', 155: '000010', 161: '2', 162: '000010', 168: '2',
        186: '1000100', 193: '00650',
    }
    fields.update(over or {})
    for col, val in fields.items():
        put(rec, col, val)
    return ''.join(rec).rstrip(' ')

def main():
    lines = ['VORTEL semi-annual submission, State 01, period ending September 2026']
    lines.append('$ Adoption')
    lines.append('01      202609 adoption summary')
    # Clean records that differ the way real ones do.
    for n in range(1, 11):
        lines.append(adoption('A%011d' % n, {
            22: '20%02d%02d' % (12 + n % 5, 1 + n % 12), 28: '12'[n % 2], 29: ['000010', '001000', '100000', '000010', '010000'][n % 5],
            35: '12'[n % 3 == 0], 104: '12345'[n % 5], 106: ['00500', '00350', '01200', '00000', '00800'][n % 5],
            111: '1' if n % 5 != 3 else '2', 105: '1' if n % 5 != 3 else '2', 103: '12'[n % 2]}))
    lines.append(adoption('A00000000011', {21: '3'}))              # element 4 out of range
    lines.append(adoption('A00000000012', {28: ' '}))              # gender missing
    lines.append(adoption('A00000000013', {1: '02'}))              # another State's code
    lines.append(adoption('A00000000014', {52: '20201331'}))       # impossible TPR date
    lines.append(adoption('A00000000015', {106: '12a45'}))         # subsidy not a number
    lines.append(adoption('A00000000016', {29: '      '}))         # child's race all blank
    lines.append(adoption('A00000000017', {43: '2026'}))           # mother born in the run year
    lines.append(adoption('A00000000018', {68: '19940930'}))       # legalised before Oct 1994
    lines.append(adoption('            ', {37: '6'}))              # blank record number, bad basis
    lines.append(adoption('A00000000020')[:60])                       # short line
    lines.append('@ Foster Care')
    lines.append('01      202609 foster care summary')
    for n in range(1, 11):
        lines.append(foster('F%011d' % n, {
            9: ['01001', '01003', '01005', '01007'][n % 4], 42: '12'[n % 2], 43: ['001000', '000010', '100000', '010000'][n % 4],
            49: '12'[n % 3 == 0], 193: ['00650', '00400', '00820', '01000'][n % 4]}))
    lines.append(foster('F00000000011', {9: '01999'}))             # unknown county
    lines.append(foster('F00000000012', {42: '3'}))                # gender out of range
    lines.append(foster('F00000000013', {66: '00'}))               # no removals
    lines.append(foster('F00000000014', {34: '        '}))         # birth date missing
    lines.append(foster('F00000000015', {118: '9'}))               # placement setting
    lines.append(foster('F00000000016', {122: '2026'}))            # caretaker born this year
    lines.append(foster('F00000000017', {186: '       '}))          # funding sources missing
    lines.append(foster('F00000000018', {193: '1 000'}))           # amount not a number
    lines.append(foster('F00000000019', {3: '202606'}))            # period not March/September
    lines.append(foster('F00000000020')[:150])                        # short line
    # The adoption aggregate record: children adopted per age; the count for
    # age 8 is not a number.
    counts = ['%8d' % c for c in (3, 4, 2, 1, 0, 2, 1, 0, 1, 0, 0, 1, 0, 0, 1, 0, 0, 0, 0, 0)]
    counts[8] = '   1 2  '
    lines += ['#', '01199503' + ''.join(counts)]
    # Footnotes: a correct one, one with a wrong State and file type, one whose
    # element number is beyond the foster care record.
    lines += ['%%01202609A05Birth dates of adopted children are estimated where unknown.',
              '%%02202609X10Counted twice.',
              '%%01202609F67Placement settings were recoded this period.']
    here = os.path.dirname(os.path.abspath(__file__))
    with open(os.path.join(here, '..', 'examples', 'example.dat'), 'w') as f:
        f.write('\n'.join(lines) + '\n')

if __name__ == '__main__':
    main()
