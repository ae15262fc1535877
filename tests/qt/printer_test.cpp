// The printer on paper: a list longer than a page goes on over as many pages
// as it needs, and a short one stays on one; both reports printed from the
// whole program on the demo data land inside the margins, clear of one
// another, in the monospaced font.
#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

#include "analysis/avgtai_panel.h"
#include "app/frm_main.h"
#include "print_checks.h"
#include "qt/main_view.h"
#include "qt/program.h"
#include "qt/qt_services.h"
#include "records/taijyu_panel.h"
#include "ui/scripted.h"

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

// The program on a copy of the demo data, printing to PDF files.
struct DemoProgram {
    explicit DemoProgram(const QString& folder)
        : window(core::DataDir(folder.toStdString()), scripted.services(nullptr, &printer)),
          view(window) {
        printer.setView(&view);
        scripted.clock.set(*core::parseDate("2026/12/07"), {21, 0, 0});
        window.Form_Load();
        view.syncAll();
        view.show();
    }
    void open(const host::Panel& panel) {
        for (const auto& entry : window.panels())
            if (entry.panel.get() == &panel) entry.button->click();
        view.syncAll();
        QCoreApplication::processEvents();
    }

    ui::ScriptedServices scripted;
    qtgui::QtPrinter printer;
    app::frmMain window;
    qtgui::MainView view;
};

bool copyDemo(const QString& to) {
    const QDir demo(QStringLiteral(YASERUNBA_DEMO_DIR));
    for (const QString& name : demo.entryList(QDir::Files))
        if (!QFile::copy(demo.filePath(name), QDir(to).filePath(name))) return false;
    return true;
}

}  // namespace

class PrinterTest : public QObject {
    Q_OBJECT

  private slots:
    void initTestCase() { qtgui::setUpApplication(*qApp); }
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
        // A printed line is under 1/4 inch, no paper 30 inches long.
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

    void reportsFromTheProgram_data() {
        QTest::addColumn<bool>("days");
        QTest::addColumn<int>("paper");
        for (bool days : {true, false})
            for (auto [paper, name] :
                 {std::pair{QPageSize::A4, "A4"}, {QPageSize::Letter, "Letter"}})
                QTest::addRow("%s %s", days ? "avgtai" : "taijyu", name)
                    << days << static_cast<int>(paper);
    }

    // Each report printed as the user prints it: its chart no larger than on
    // screen and inside its room, every line inside the margins and clear of
    // the others, as many PDF pages as laid out, in Noto Sans Mono CJK JP.
    // With PRINTER_TEST_KEEP set, the PDF files stay in that folder.
    void reportsFromTheProgram() {
        QFETCH(bool, days);
        QFETCH(int, paper);
        QTemporaryDir data;
        QVERIFY(copyDemo(data.path()));
        DemoProgram program(data.path());
        host::Panel& panel =
            days ? static_cast<host::Panel&>(program.window.panel<analysis::AvgTaiPanel>())
                 : program.window.panel<records::TaijyuPanel>();
        const ui::Chart& chart = days ? program.window.panel<analysis::AvgTaiPanel>().mcrAvgtai
                                      : program.window.panel<records::TaijyuPanel>().mcrBunseki;
        program.open(panel);

        QTemporaryDir out;
        const QString keep = qEnvironmentVariable("PRINTER_TEST_KEEP");
        const QString file =
            QDir(keep.isEmpty() ? out.path() : keep)
                .filePath(QString::fromLatin1(QTest::currentDataTag()) + QStringLiteral(".pdf"));
        program.printer.printToPdf(file, QPageSize(QPageSize::PageSizeId(paper)));
        program.scripted.dialogs.queue(ui::Answer::OK);
        (days ? program.window.panel<analysis::AvgTaiPanel>().cmdAvgPri
              : program.window.panel<records::TaijyuPanel>().cmdPriData)
            .click();
        QCOMPARE(program.printer.lastJob(), ui::Printer::Outcome::Printed);

        const qtgui::PrintLayout* layout = program.printer.lastLayout();
        QVERIFY(layout);
        const QString fault = printcheck::pageFault(*layout);
        QVERIFY2(fault.isEmpty(), qPrintable(fault));
        const auto& picture = layout->items().front();
        QCOMPARE(picture.kind, qtgui::PlacedItem::Kind::Picture);
        QWidget* widget = program.view.widgetFor(chart);
        const double dots = layout->page().dpi / widget->logicalDpiX();
        QVERIFY(picture.rect.width() <= widget->width() * dots + 0.01);
        QVERIFY(layout->items().size() > 3);
        QCOMPARE(pageCount(file), layout->pageCount());
        QFile pdf(file);
        QVERIFY(pdf.open(QIODevice::ReadOnly));
        QVERIFY(pdf.readAll().contains("NotoSansMonoCJK"));
    }
};

QTEST_MAIN(PrinterTest)
#include "printer_test.moc"
