#!/usr/bin/python3
"""Makes the workbook fixtures of the workbook tests with programs other than ours:
openpyxl (Debian python3-openpyxl) and LibreOffice (Debian libreoffice-calc-nogui).

    tests/data/make_fixtures.py        # run from anywhere; rewrites tests/data/*.xls[x]

The project in every fixture is the same small one; the values are repeated in
tests/workbook/fixture_values.h, which the tests compare against.
"""
import datetime
import os
import shutil
import subprocess
import tempfile

import openpyxl
from openpyxl.utils.datetime import CALENDAR_MAC_1904

HERE = os.path.dirname(os.path.abspath(__file__))

START = datetime.date(2001, 3, 27)
RAIN = [0, 3.5, 12.25, 0, 0.4, 7, 0, 0, 1.1, 22.75]
ETREF = [1.2, 1.4, 0.9, 2.05, 2.5, 1.75, 3, 2.2, 1.6, 0.8]
FLOW = [0.51, 0.5, 0.72, 0.9, 0.8, 0.77, 0.7, 0.66, 0.63, 1.5]
MONTHS = ["Jan", "Feb", "Mar", "Apr", "May", "Jun", "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"]
MONTHLY_ETREF = [0.4, 0.7, 1.3, 2.1, 2.9, 3.4, 3.6, 3.0, 2.0, 1.1, 0.6, 0.35]
SUBAREAS = [  # share, rain factor, TAW, RAW, top, IF, Kc, St0, Sw0, B0
    [50, 100, 150, 75, 20, 0.1, 1.0, 10, 120, 5],
    [30, 105, 220, 110, 25, 0.25, 1.1, 12, 180, 5],
    [20, 95, 100, 50, 15, 0.05, 0.9, 8, 90, 5],
]
SOIL = [[60, 100, 150, 180, 200], [30, 50, 75, 90, 100], [10, 15, 20, 25, 30]]
VEGE = [[0.25, 0.2, 0.15, 0.1, 0.08], [1.1, 1.05, 1.0, 0.9, 0.85]]


def fill(ws, date_cells):
    ws["F1"] = "Test catchment, Somewhere"
    ws["F2"] = "A. Hydrologist"
    ws["H2"] = "never"
    ws["F3"] = 1250
    for s, values in enumerate(SUBAREAS):
        for p, v in enumerate(values):
            ws.cell(row=5 + p, column=6 + s, value=v)
    ws["F17"] = 0.6
    ws["F18"] = 0.97
    for p, row in enumerate(SOIL):
        for c, v in enumerate(row):
            ws.cell(row=5 + p, column=16 + c, value=v)
    ws["X17"] = 0.55
    ws["X18"] = 0.95
    for p, row in enumerate(VEGE):
        for c, v in enumerate(row):
            ws.cell(row=5 + p, column=22 + c, value=v)
    for m in range(12):
        ws.cell(row=5 + m, column=29, value=MONTHS[m])
        ws.cell(row=5 + m, column=30, value=MONTHLY_ETREF[m])
    ws["AF3"] = "=F3*2"  # a formula that the loader never reads
    for d in range(len(RAIN)):
        row = 25 + d
        ws.cell(row=row, column=3, value=FLOW[d])
        date_cells(ws.cell(row=row, column=4), START + datetime.timedelta(days=d))
        ws.cell(row=row, column=5, value=RAIN[d])
        ws.cell(row=row, column=6, value=ETREF[d])


def date_cell(fmt):
    def put(cell, date):
        cell.value = date
        cell.number_format = fmt
    return put


def workbook(date_cells, epoch1904=False):
    wb = openpyxl.Workbook()
    if epoch1904:
        wb.epoch = CALENDAR_MAC_1904
    ws = wb.active
    ws.title = "Project"
    fill(ws, date_cells)
    wb.create_sheet("Notes")["A1"] = "second sheet"
    return wb


def formula_workbook():
    """The project with formulas in place of values: the dates from D26 on count up from the
    day above, the rainfall is computed, the operator's name is joined from two texts, and
    AF4:AF8 hold results of other kinds (an error, a boolean, an empty text, a text longer
    than one BIFF record, a text beyond Latin-1). openpyxl stores no results with them."""
    wb = workbook(date_cell("yyyy-mm-dd"))
    ws = wb["Project"]
    ws["F2"] = '="A. "&"Hydrologist"'
    for d in range(1, len(RAIN)):
        ws.cell(row=25 + d, column=4).value = "=D%d+1" % (24 + d)
    for d, rain in enumerate(RAIN):
        ws.cell(row=25 + d, column=5).value = "=2*%r" % (rain / 2)
    ws["AF4"] = "=1/0"
    ws["AF5"] = "=F3>1000"
    ws["AF6"] = '=""'
    ws["AF7"] = '=REPT("ab",5000)'
    ws["AF8"] = '="\u20ac"&"5"'
    return wb


def libreoffice_copies(source, name, tmp, profile):
    """Writes tests/data/NAME.xls and NAME.xlsx from SOURCE with LibreOffice; the .xlsx is saved
    back from LibreOffice's own document: its xlsx writer, shared strings, styles and cached
    formula values."""
    for fmt in ["xls", "ods"]:
        subprocess.run(["soffice", profile, "--headless", "--convert-to", fmt, "--outdir", tmp,
                        source], check=True, capture_output=True)
    stem = os.path.splitext(os.path.basename(source))[0]
    out = os.path.join(tmp, "lo-" + name)
    os.makedirs(out)
    subprocess.run(["soffice", profile, "--headless", "--convert-to", "xlsx", "--outdir", out,
                    os.path.join(tmp, stem + ".ods")], check=True, capture_output=True)
    shutil.copy(os.path.join(out, stem + ".xlsx"), os.path.join(HERE, name + ".xlsx"))
    shutil.copy(os.path.join(tmp, stem + ".xls"), os.path.join(HERE, name + ".xls"))


def main():
    workbook(date_cell("yyyy-mm-dd")).save(os.path.join(HERE, "openpyxl_1900.xlsx"))
    workbook(date_cell("d/m/yy"), epoch1904=True).save(os.path.join(HERE, "openpyxl_1904.xlsx"))
    workbook(date_cell("[$-409]d-mmm-yy;@")).save(os.path.join(HERE, "openpyxl_locale_dates.xlsx"))

    def text_date(cell, date):
        cell.value = "%d/%d/%d" % (date.year, date.month, date.day)
    workbook(text_date).save(os.path.join(HERE, "openpyxl_text_dates.xlsx"))

    def serial(cell, date):
        cell.value = (date - datetime.date(1899, 12, 30)).days
    workbook(serial).save(os.path.join(HERE, "openpyxl_serial_dates.xlsx"))

    formula_workbook().save(os.path.join(HERE, "openpyxl_formulas.xlsx"))

    with tempfile.TemporaryDirectory() as tmp:
        profile = "-env:UserInstallation=file://" + os.path.join(tmp, "profile")
        source = os.path.join(tmp, "libreoffice.xlsx")
        shutil.copy(os.path.join(HERE, "openpyxl_1900.xlsx"), source)
        libreoffice_copies(source, "libreoffice", tmp, profile)
        # LibreOffice computes the formulas that openpyxl left without results.
        source = os.path.join(tmp, "libreoffice_formulas.xlsx")
        shutil.copy(os.path.join(HERE, "openpyxl_formulas.xlsx"), source)
        libreoffice_copies(source, "libreoffice_formulas", tmp, profile)

        source1904 = os.path.join(tmp, "libreoffice_1904.xlsx")
        shutil.copy(os.path.join(HERE, "openpyxl_1904.xlsx"), source1904)
        subprocess.run(["soffice", profile, "--headless", "--convert-to", "xls", "--outdir", tmp,
                        source1904], check=True, capture_output=True)
        shutil.copy(os.path.join(tmp, "libreoffice_1904.xls"), os.path.join(HERE, "libreoffice_1904.xls"))


if __name__ == "__main__":
    main()
