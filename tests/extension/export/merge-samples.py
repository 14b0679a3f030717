#!/usr/bin/env python3
"""Merges the sample documents with a 71-row Export.txt in a headless LibreOffice, as File >
Print > form letter does, and checks what prints (the merge as PDF, read with pdftotext):

    merge-samples.py DOCUMENTS_DIR

- no page prints instruction text (the how-to is a comment, and comments are not printed);
- every row with an owner prints once and whole on one page (its two tags on the same page);
- the pages hold the rows without a nearly blank page: pages = ceil(rows / rows a full page
  holds); labels 30 a sheet, the report's column headings on every page.

Exits 77 (ctest: skipped) with the reason where LibreOffice, its Python bridge (python3-uno)
or poppler-utils is missing: Corvane's build and its other tests need none of them.
"""
import math
import os
import re
import shutil
import subprocess
import sys
import tempfile
import time

ROWS, WITHOUT_OWNER = 71, (12, 50)
INSTRUCTIONS = re.compile(r"LibreOffice|libreoffice|Export|README|View Report|data source|comment")


def skip(reason):
    print("skipped: " + reason)
    sys.exit(77)


for program, package in (("soffice", "libreoffice-writer"), ("pdftotext", "poppler-utils")):
    if not shutil.which(program):
        skip("%s (%s) is not installed" % (program, package))
try:
    import uno
    from com.sun.star.beans import NamedValue, PropertyValue
except ImportError:
    # Debian's python3-uno belongs to the system's Python, which need not be the one running.
    if os.path.exists("/usr/bin/python3") and "CORVANE_UNO_RETRY" not in os.environ:
        os.environ["CORVANE_UNO_RETRY"] = "1"
        os.execv("/usr/bin/python3", ["/usr/bin/python3"] + sys.argv)
    skip("LibreOffice's Python bridge (python3-uno) is not installed")


def export_row(i):
    """Row i as View Report writes it. Every third owner's name, address and city wrap, odd rows
    have ZIP+4 codes. Tags find the row in print: N<i> ends the name, P<i> is the parcel id
    (the report's first column) and the zip, unique per row, ends a label."""
    long = i % 3 == 0
    owner = ["PRESIDENT AND FELLOWS OF HARVARD COLLEGE N%02d" % i if long else "CÔTÉ, PRIYA N%02d" % i,
             'THE ""HIGH"" CONDOMINIUM TRUST' if i % 5 == 0 else "",
             "1000 MASSACHUSETTS AVENUE UNIT %d" % i if long else "%d OAK ST" % i, "",
             "NORTH ATTLEBOROUGH" if long else "MILLBROOK", "MA",
             "02139-%04d" % (1000 + i) if i % 2 else "%05d" % (1700 + i), "PO BOX %d" % i if i % 7 == 0 else ""]
    joined = ["%d" % (200 + i), "P%02d" % i] + owner
    return ["%d" % (100 + i), "P%02d" % i, "%d OAK ST" % i, "9000.5", "1950"] + (
        [""] * len(joined) if i in WITHOUT_OWNER else joined)


def write_export(folder):
    header = ["Parcels.fid", "XPARCELIDX", "Parcels.LOCATION", "Parcels.LAND_AREA", "Parcels.YEAR_BUILT",
              "Owners.fid", "Owners.PARCEL_ID", "XNAMEAX", "XNAMEBX", "XADDRESSAX", "Owners.ADDRESS2", "XCITYX",
              "XSTATEX", "XZIPX", "XADDRESSBX"]
    lines = [header] + [export_row(i) for i in range(ROWS)]
    with open(os.path.join(folder, "Export.txt"), "wb") as f:
        f.write("".join("\t".join('"%s"' % v for v in line) + "\r\n" for line in lines).encode("utf-8"))


def start_office(work):
    pipe = "corvane_merge_%d" % os.getpid()
    office = subprocess.Popen(["soffice", "--headless", "--invisible", "--norestore", "--nologo",
                               "-env:UserInstallation=" + uno.systemPathToFileUrl(os.path.join(work, "profile")),
                               "--accept=pipe,name=%s;urp;" % pipe], stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    local = uno.getComponentContext()
    resolver = local.ServiceManager.createInstanceWithContext("com.sun.star.bridge.UnoUrlResolver", local)
    for _ in range(600):
        try:
            return office, resolver.resolve("uno:pipe,name=%s;urp;StarOffice.ComponentContext" % pipe)
        except Exception:
            time.sleep(0.1)
    office.kill()
    sys.exit("LibreOffice did not answer within a minute")


def register_export(context, folder):
    """The text data source "Export" over the folder, made as the README tells the user."""
    databases = context.ServiceManager.createInstanceWithContext("com.sun.star.sdb.DatabaseContext", context)
    source = databases.createInstance()
    source.URL = "sdbc:flat:" + uno.systemPathToFileUrl(folder)
    source.Info = tuple(PropertyValue(Name=k, Value=v) for k, v in (
        ("Extension", "txt"), ("FieldDelimiter", "\t"), ("StringDelimiter", '"'), ("HeaderLine", True),
        ("CharSet", "UTF-8")))
    source.DatabaseDocument.storeAsURL(uno.systemPathToFileUrl(os.path.join(folder, "Export.odb")), ())
    databases.registerObject("Export", source)


def merge_and_print(context, document, work):
    """The form-letter merge of the document into one file, printed to PDF; the text of each page."""
    stem = os.path.splitext(os.path.basename(document))[0]
    merge = context.ServiceManager.createInstanceWithContext("com.sun.star.text.MailMerge", context)
    merge.execute(tuple(NamedValue(k, v) for k, v in (
        ("DataSourceName", "Export"), ("CommandType", 0), ("Command", "Export"),
        ("DocumentURL", uno.systemPathToFileUrl(document)), ("OutputType", 2),
        ("OutputURL", uno.systemPathToFileUrl(work)), ("SaveAsSingleFile", True), ("SaveFilter", "writer8"),
        ("FileNamePrefix", stem))))
    desktop = context.ServiceManager.createInstanceWithContext("com.sun.star.frame.Desktop", context)
    merged = desktop.loadComponentFromURL(uno.systemPathToFileUrl(os.path.join(work, stem + "0.odt")), "_blank", 0,
                                          (PropertyValue(Name="Hidden", Value=True),))
    pdf = os.path.join(work, stem + ".pdf")
    merged.storeToURL(uno.systemPathToFileUrl(pdf), (PropertyValue(Name="FilterName", Value="writer_pdf_Export"),))
    merged.close(True)
    text = subprocess.run(["pdftotext", "-enc", "UTF-8", pdf, "-"], check=True, capture_output=True, text=True)
    return text.stdout.split("\f")[:-1]


def check(name, pages, row_tag, per_page=None, heading=None):
    """The faults of one printed merge; row_tag matches the row's other tag besides N<i>."""
    faults = ["%s page %d prints instruction text: %s" % (name, n + 1, m.group(0))
              for n, text in enumerate(pages) for m in [INSTRUCTIONS.search(text)] if m]
    found = {}
    for n, text in enumerate(pages):
        for tag in re.findall(r"\b%s(\d\d)\b" % row_tag, text) + re.findall(r"\bN(\d\d)\b", text):
            found.setdefault(int(tag), []).append(n)
        if heading and heading not in text:
            faults.append("%s page %d has no column headings" % (name, n + 1))
    for i in (i for i in range(ROWS) if i not in WITHOUT_OWNER):
        if len(found.get(i, [])) != 2 or found[i][0] != found[i][1]:
            faults.append("%s row %d is not printed once, whole on one page: pages %s" % (name, i, found.get(i)))
    rows = [len([i for i, on in found.items() if n in on]) for n in range(len(pages))]
    needed = math.ceil(sum(rows) / (per_page or max(rows)))
    if len(pages) != needed:
        faults.append("%s prints %d pages holding %s rows; %d would hold them" % (name, len(pages), rows, needed))
    print("%s: %d pages, rows a page %s" % (name, len(pages), rows))
    return faults


def main():
    if len(sys.argv) != 2:
        sys.exit(__doc__)
    work = tempfile.mkdtemp(prefix="corvane-merge-")
    office, context = start_office(work)
    try:
        folder = os.path.join(work, "Documents")
        os.makedirs(folder)
        write_export(folder)
        register_export(context, folder)
        for name in ("Labels.fodt", "Report.fodt"):
            shutil.copy(os.path.join(sys.argv[1], name), folder)
        labels = merge_and_print(context, os.path.join(folder, "Labels.fodt"), work)
        faults = check("Labels", labels, r"0(?:2139-10|17)", per_page=30)
        report = merge_and_print(context, os.path.join(folder, "Report.fodt"), work)
        faults += check("Report", report, "P", heading="Parcel ID")
    finally:
        try:
            context.ServiceManager.createInstanceWithContext("com.sun.star.frame.Desktop", context).terminate()
        except Exception:
            pass  # the bridge may close before terminate() answers
        try:
            office.wait(timeout=60)
        except subprocess.TimeoutExpired:
            office.kill()
        shutil.rmtree(work, ignore_errors=True)
    for fault in faults:
        print(fault)
    return 1 if faults else 0


if __name__ == "__main__":
    sys.exit(main())
