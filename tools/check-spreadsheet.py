#!/usr/bin/env python3
"""Reads back the cells LibreOffice made of the teacher's exports (flat
OpenDocument files from tools/check-spreadsheet.sh) and checks each one's
kind and value against the school that helper_spreadsheetfiles writes."""
import sys
import xml.etree.ElementTree as ET
from pathlib import Path

NS = {
    'table': 'urn:oasis:names:tc:opendocument:xmlns:table:1.0',
    'office': 'urn:oasis:names:tc:opendocument:xmlns:office:1.0',
    'text': 'urn:oasis:names:tc:opendocument:xmlns:text:1.0',
}
T = '{%s}' % NS['table']
O = '{%s}' % NS['office']

RESULTS_HEADER = ['日付', '時刻', '番号', '名前', '学年', 'レベル', 'タイム(秒)', '時間切れ・中断', 'ポイント', '場所']
# One record each: day, time of day, student, level, seconds, unfinished, points, site.
RECORDS = [
    ('2026-12-01', 'PT09H05M07S', 1, '髙橋①', '足し算', 50, None, 11, '本校'),
    ('2026-12-01', 'PT13H40M00S', 2, '山田～はな', '引き算', 100, None, 5, '本校'),
    ('2026-12-02', 'PT10H00M59S', 3, '佐藤,一郎', 'かけ算', 199, None, 4, '本校'),
    ('2026-12-02', 'PT11H30M00S', 4, '"ジョー"', 'わり算', None, '時間切れ', 0, '本校'),
    ('2026-12-03', 'PT08H30M00S', 5, '=1+2', '足し算', None, '中断', 0, '本校'),
    ('2026-12-03', 'PT23H59M59S', 6, '@SUM(1)', '足し算', 80, None, 5, '他塾'),
]

failures = []


def cells_of(row):
    """(kind, value, shown text) of each cell up to the last one with content."""
    cells = []
    for cell in row.findall('table:table-cell', NS):
        if cell.get(T + 'formula'):
            failures.append('a formula: %s' % cell.get(T + 'formula'))
        kind = cell.get(O + 'value-type')
        value = cell.get(O + 'date-value') or cell.get(O + 'time-value') or cell.get(O + 'value')
        shown = '\n'.join(''.join(p.itertext()) for p in cell.findall('text:p', NS))
        repeat = int(cell.get(T + 'number-columns-repeated', '1'))
        cells += [(kind, value, shown)] * min(repeat, 64)
    while cells and cells[-1] == (None, None, ''):
        cells.pop()
    return cells


def sheets_of(path):
    root = ET.parse(path).getroot()
    sheets = {}
    for table in root.iter(T + 'table'):
        rows = [cells_of(r) for r in table.iter(T + 'table-row')]
        while rows and not rows[-1]:
            rows.pop()
        sheets[table.get(T + 'name')] = rows
    filters = {r.get(T + 'target-range-address') for r in root.iter(T + 'database-range')
               if r.get(T + 'display-filter-buttons') == 'true'}
    return sheets, filters


def text(s):
    return ('string', None, s)


def number(n, shown=None):
    return ('float', str(n), str(n) if shown is None else shown)


EMPTY = (None, None, '')


def expect(where, got, wanted):
    if got != wanted:
        failures.append('%s:\n    got    %r\n    wanted %r' % (where, got, wanted))


def check_results(where, rows, date_shown, guard):
    expect(where + ' header', rows[0] if rows else None, [text(h) for h in RESULTS_HEADER])
    expect(where + ' row count', len(rows), len(RECORDS) + 1)
    for i, (day, clock, student, name, level, seconds, unfinished, points, site) in enumerate(RECORDS, 1):
        if i >= len(rows):
            break
        got = rows[i] + [EMPTY] * (len(RESULTS_HEADER) - len(rows[i]))
        date_cell, time_cell = got[0], got[1]
        # A date cell whose shown text has the year; a time cell.
        expect('%s row %d date' % (where, i), date_cell, ('date', day, date_shown(day)))
        expect('%s row %d time' % (where, i), time_cell[:2], ('time', clock))
        shown_name = "'" + name if guard and name[0] in '=+-@' else name
        wanted = [number(student), text(shown_name), text('小３'), text(level),
                  number(seconds) if seconds is not None else EMPTY,
                  text(unfinished) if unfinished else EMPTY, number(points), text(site)]
        expect('%s row %d' % (where, i), got[2:], wanted)


def main(folder):
    out = Path(folder)
    sheets, filters = sheets_of(out / '成績.fods')
    expect('workbook sheets', list(sheets), ['成績', '集計', '問題別'])
    check_results('xlsx 成績', sheets.get('成績', []), lambda day: day.replace('-', '/'), guard=False)
    summary = sheets.get('集計', [])
    expect('xlsx 集計 header', summary[:1], [[text(h) for h in (
        '番号', '名前', '学年', 'レベル', '回数', '時間切れ', '中断', 'ベスト(秒)', '最近10回の平均(秒)', '合計ポイント', '合格')]])
    expect('xlsx 集計 student 1', summary[1:2], [[
        number(1), text('髙橋①'), text('小３'), text('足し算'), number(1), number(0), number(0), number(50),
        number(50, '50.0'), number(11), text('未合格')]])
    expect('xlsx 集計 time-out and given up', [r[4:7] for r in summary[4:6]],
           [[number(0), number(1), number(0)], [number(0), number(0), number(1)]])
    expect('xlsx 集計 names', [r[1] for r in summary[1:]], [text(r[3]) for r in RECORDS])
    facts = sheets.get('問題別', [])
    expect('xlsx 問題別 rows', len(facts), 101)
    expect('xlsx 問題別 first fact', facts[1:2], [[
        number(1), text('髙橋①'), text('小３'), text('足し算'), text('1＋1＝2'), number(3), number(1),
        number(75, '75.00'), number(2.5, '2.50'), text('よくまちがえる')]])
    expect('xlsx 問題別 untried fact', facts[3:4], [[
        number(1), text('髙橋①'), text('小３'), text('足し算'), text('3＋1＝4'), number(0), number(0), EMPTY, EMPTY,
        text('まだやっていない')]])
    expect('xlsx filters', sorted(filters), ['問題別.A1:問題別.J101', '成績.A1:成績.J7', '集計.A1:集計.K7'])

    for name in ('成績-utf8', '成績-cp932'):
        sheets, _ = sheets_of(out / (name + '.fods'))
        rows = next(iter(sheets.values()), [])
        check_results(name + '.csv', rows, lambda day: day, guard=True)

    if failures:
        print('check-spreadsheet: %d cells differ' % len(failures))
        for f in failures:
            print('  ' + f)
        return 1
    print('== check-spreadsheet: every cell as written (xlsx: 3 sheets; CSV: UTF-8 and cp932)')
    return 0


if __name__ == '__main__':
    sys.exit(main(sys.argv[1]))
