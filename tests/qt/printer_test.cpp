// The printer on paper: a list longer than a page goes on over as many pages
// as it needs, and a short one stays on one.
#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

#include "qt/qt_services.h"

namespace {

// The pages of a PDF file: its page objects, not the page tree.
int pageCount(const QString& file) {
    QFile pdf(file);
    if (!pdf.open(QIODevice::ReadOnly)) return -1;
    const QString text = QString::fromLatin1(pdf.readAll());
    return static_cast<int>(text.count(QRegularExpression(QStringLiteral("/Type\\s*/Page(?!s)"))));
}

// As a report prints its list: the heading at the top, then one line a row
// at x 9000 with the value in the next zone.
void printList(qtgui::QtPrinter& printer, int rows) {
    printer.setX(0);
    printer.setY(0);
    printer.setX(9000);
    printer.print("　日付け    　  体重");
    printer.newLine();
    for (int i = 0; i < rows; ++i) {
        printer.setX(9000);
        printer.print("03/11/" + std::to_string(i % 28 + 1));
        printer.zone();
        printer.print("70.2");
        printer.newLine();
    }
    printer.endDoc();
}

}  // namespace

class PrinterTest : public QObject {
    Q_OBJECT

  private slots:
    // A short list fits one page; a list longer than any page goes over
    // two, and twice as long a list over more pages still.
    void listRunsOverPages() {
        QTemporaryDir dir;
        auto pagesFor = [&](int rows) {
            const QString file = dir.filePath(QStringLiteral("list%1.pdf").arg(rows));
            qtgui::QtPrinter printer;
            printer.printToPdf(file);
            printList(printer, rows);
            if (printer.lastJob() != ui::Printer::Outcome::Printed) return -1;
            return pageCount(file);
        };
        QCOMPARE(pagesFor(5), 1);
        // A line of a 10-point font is under 1/4 inch, no paper 30 inches long.
        const int two = pagesFor(120);
        QVERIFY2(two >= 2, qPrintable(QStringLiteral("%1 pages").arg(two)));
        QVERIFY(pagesFor(240) > two);
    }

    // A job goes on from where the last one ended: the position of a new
    // job starts at the top of its first page again.
    void eachJobStartsOnItsOwnFirstPage() {
        QTemporaryDir dir;
        qtgui::QtPrinter printer;
        printer.printToPdf(dir.filePath(QStringLiteral("first.pdf")));
        printList(printer, 120);
        printer.printToPdf(dir.filePath(QStringLiteral("second.pdf")));
        printList(printer, 5);
        QCOMPARE(pageCount(dir.filePath(QStringLiteral("second.pdf"))), 1);
    }
};

QTEST_MAIN(PrinterTest)
#include "printer_test.moc"
