// The two printed reports laid out on paper, from the jobs the panels build:
// on A4 and on Letter each chart fits the room its report leaves it, every
// line stays inside the margins and clear of the others, a long list goes on
// over more pages, and the headers stand over their columns.
#include <QPrinter>
#include <QtTest>
#include <memory>

#include "analysis/day_averages.h"
#include "print_checks.h"
#include "qt/print_layout.h"
#include "records/list_print.h"

namespace {

constexpr double kScreenDpi = 96;
// The charts' size on screen in the window, in pixels.
const QSizeF kChartPixels(870, 647);

std::unique_ptr<QPrinter> pdfPrinter(QPageSize::PageSizeId paper) {
    auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    printer->setOutputFormat(QPrinter::PdfFormat);
    printer->setPageSize(QPageSize(paper));
    qtgui::setPrintMargins(*printer);
    return printer;
}

qtgui::PrintLayout layOut(const ui::PrintJob& job, QPageSize::PageSizeId paper,
                          QSizeF chartPixels = kChartPixels) {
    auto printer = pdfPrinter(paper);
    const qtgui::PrintPage page = qtgui::printPage(*printer);
    const QFontMetricsF metrics(qtgui::printFont(printer.get()), printer.get());
    const QSizeF chart = chartPixels * (page.dpi / kScreenDpi);
    return qtgui::layOutJob(job, page, metrics, [&](const std::string&) { return chart; });
}

double dots(const qtgui::PrintLayout& layout, double twips) {
    return twips * layout.page().dpi / 1440;
}

std::vector<analysis::DayRow> dayRows(int count) {
    std::vector<analysis::DayRow> rows;
    for (int i = 0; i < count; ++i)
        rows.push_back({std::to_string(i + 1),
                        QStringLiteral("03/%1/%2")
                            .arg(i / 28 + 1, 2, 10, QLatin1Char('0'))
                            .arg(i % 28 + 1, 2, 10, QLatin1Char('0'))
                            .toStdString(),
                        i % 7 == 3 ? "" : "100.2"});
    return rows;
}

std::vector<records::ListRow> listRows(int count) {
    std::vector<records::ListRow> rows(static_cast<size_t>(count));
    for (auto& row : rows) {
        row.cells[records::kColDate] = "2003/11/01";
        row.cells[records::kColSituation] = "朝食前";
        row.cells[records::kColWeight] = "100.0Kg";
        row.cells[records::kColBmi] = "27.8";
        row.cells[records::kColObesity] = "-19.0%";
    }
    return rows;
}

ui::PrintJob reportJob(const QString& report, int rows) {
    return report == QStringLiteral("日平均") ? analysis::dayAveragePrintJob(dayRows(rows))
                                              : records::listPrintJob(listRows(rows));
}

const qtgui::PlacedItem* findText(const qtgui::PrintLayout& layout, const QString& text) {
    for (const auto& item : layout.items())
        if (item.kind == qtgui::PlacedItem::Kind::Text && item.text == text) return &item;
    return nullptr;
}

// The span of `part` inside a placed text.
std::pair<double, double> spanOf(const qtgui::PrintLayout& layout, const qtgui::PlacedItem& item,
                                 const QString& part) {
    const auto at = item.text.indexOf(part);
    const double left = item.rect.left() + layout.metrics().horizontalAdvance(item.text.left(at));
    return {left, left + layout.metrics().horizontalAdvance(part)};
}

bool overlaps(std::pair<double, double> a, std::pair<double, double> b) {
    return std::max(a.first, b.first) < std::min(a.second, b.second);
}

}  // namespace

class PrintLayoutTest : public QObject {
    Q_OBJECT

  private slots:
    void pictureHasTheRoomUpToTheNextText();
    void reportsStayOnThePaper_data();
    void reportsStayOnThePaper();
    void pictureIsNeverEnlarged();
    void headersStandOverTheirColumns();
    void textWithoutRoomIsCutShort();
};

void PrintLayoutTest::pictureHasTheRoomUpToTheNextText() {
    using ui::PictureBox;
    const int gap = ui::kPictureGap;
    struct Case {
        const char* what;
        ui::PrintJob job;
        PictureBox box;
    };
    const Case cases[] = {
        {"day averages: the list beside it",
         reportJob(QStringLiteral("日平均"), 1),
         {.right = 9000 - gap, .bottom = std::nullopt}},
        {"range list: the header below it",
         reportJob(QStringLiteral("範囲指定"), 1),
         {.right = std::nullopt, .bottom = 5000 - gap}},
        {"nothing printed after it",
         {ui::printX(0), ui::printY(0), ui::printPicture("c"), ui::printEndDoc()},
         {}},
        {"after a text its position is not known",
         {ui::printText("a"), ui::printPicture("c"), ui::printX(5000), ui::printText("b")},
         {}},
        {"text higher up and to the right leaves it open",
         {ui::printY(3000), ui::printPicture("c"), ui::printY(1000), ui::printX(4000),
          ui::printText("b")},
         {}},
    };
    for (const Case& c : cases) {
        size_t picture = 0;
        while (c.job[picture].kind != ui::PrintOp::Kind::Picture) ++picture;
        QVERIFY2(ui::pictureBox(c.job, picture) == c.box, c.what);
    }
}

void PrintLayoutTest::reportsStayOnThePaper_data() {
    QTest::addColumn<QString>("report");
    QTest::addColumn<int>("paper");
    QTest::addColumn<int>("rows");
    for (const char* report : {"日平均", "範囲指定"})
        for (auto [paper, name] : {std::pair{QPageSize::A4, "A4"}, {QPageSize::Letter, "Letter"}})
            for (int rows : {5, 200})
                QTest::addRow("%s %s %d", report, name, rows)
                    << QString::fromUtf8(report) << static_cast<int>(paper) << rows;
}

// Every line inside the margins and clear of the others, the chart inside its
// room, the list where the report puts it, and a long one over more pages
// with every line printed whole.
void PrintLayoutTest::reportsStayOnThePaper() {
    QFETCH(QString, report);
    QFETCH(int, paper);
    QFETCH(int, rows);
    const bool beside = report == QStringLiteral("日平均");
    const auto layout = layOut(reportJob(report, rows), QPageSize::PageSizeId(paper));
    const QString fault = printcheck::pageFault(layout);
    QVERIFY2(fault.isEmpty(), qPrintable(fault));
    // At least 10 mm of margin on every side.
    const QSizeF sheet = QPageSize(QPageSize::PageSizeId(paper)).size(QPageSize::Millimeter);
    const QSizeF inside = layout.page().size / layout.page().dpi * 25.4;
    QVERIFY(inside.width() <= sheet.width() - 20 && inside.height() <= sheet.height() - 20);

    const auto& items = layout.items();
    QCOMPARE(items.front().kind, qtgui::PlacedItem::Kind::Picture);
    const QRectF chart = items.front().rect;
    if (beside)
        QVERIFY(chart.right() <= dots(layout, 9000 - ui::kPictureGap) + 0.01);
    else
        QVERIFY(chart.bottom() <= dots(layout, 5000 - ui::kPictureGap) + 0.01);
    QVERIFY(chart.width() > dots(layout, 4000));

    const auto* header = &items[1];
    QCOMPARE(header->page, 0);
    QCOMPARE(header->rect.left(), beside ? dots(layout, 9000) : 0.0);
    QCOMPARE(header->rect.top(), beside ? 0.0 : dots(layout, 5000));
    // The heading (on the list its words and the three captions over their
    // columns), the rule, and per row the date and the figures, none cut.
    const int heading = beside ? 2 : 5;
    const int perRow = beside ? 2 : 4;
    const auto texts = std::count_if(items.begin(), items.end(), [](const auto& item) {
        return item.kind == qtgui::PlacedItem::Kind::Text && !item.text.endsWith(QChar(0x2026));
    });
    const int blanks = beside ? (rows + 3) / 7 : 0;
    QCOMPARE(texts, static_cast<long>(heading + perRow * rows - blanks));
    for (const auto& item : items) {
        if (item.kind == qtgui::PlacedItem::Kind::Picture) QCOMPARE(item.page, 0);
        if (beside && item.kind == qtgui::PlacedItem::Kind::Text)
            QVERIFY(item.rect.left() >= dots(layout, 9000) - 0.01);
    }
    QCOMPARE(layout.pageCount() > 1, rows > 100);
    QCOMPARE(items.back().page, layout.pageCount() - 1);
}

// A chart smaller than its room is printed at its size on screen.
void PrintLayoutTest::pictureIsNeverEnlarged() {
    for (const char* report : {"日平均", "範囲指定"}) {
        const auto layout =
            layOut(reportJob(QString::fromUtf8(report), 3), QPageSize::A4, QSizeF(300, 200));
        const QRectF chart = layout.items().front().rect;
        QCOMPARE(chart.size(), QSizeF(300, 200) * (layout.page().dpi / kScreenDpi));
    }
}

// A full-width character is two half-width ones, and the labels of the
// headers stand over the figures printed under them.
void PrintLayoutTest::headersStandOverTheirColumns() {
    const auto days = layOut(reportJob(QStringLiteral("日平均"), 3), QPageSize::A4);
    const QFontMetricsF& metrics = days.metrics();
    QVERIFY(qAbs(metrics.horizontalAdvance(QStringLiteral("　体重")) -
                 6 * metrics.horizontalAdvance(QLatin1Char('0'))) < 0.5);
    const auto* heading = findText(days, QStringLiteral("　日付け    　  体重"));
    const auto* average = findText(days, QStringLiteral("100.2"));
    QVERIFY(heading && average);
    QVERIFY(overlaps(spanOf(days, *heading, QStringLiteral("体重")),
                     {average->rect.left(), average->rect.right()}));

    // On the list each caption starts where its figures do.
    const auto list = layOut(reportJob(QStringLiteral("範囲指定"), 3), QPageSize::A4);
    QVERIFY(findText(list, QString::fromStdString(records::listPrintHeader())));
    for (auto [label, value] :
         {std::pair{"体重", "100.0Kg"}, {"ＢＭＩ", "27.8"}, {"肥満度", "-19.0%"}}) {
        const auto* caption = findText(list, QString::fromUtf8(label));
        const auto* figure = findText(list, QString::fromUtf8(value));
        QVERIFY(caption && figure);
        QVERIFY2(qAbs(caption->rect.left() - figure->rect.left()) < 0.01, label);
    }
}

// A text that would run into the next figure or past the page's edge is cut
// short with "…" instead.
void PrintLayoutTest::textWithoutRoomIsCutShort() {
    auto rows = listRows(1);
    rows[0].cells[records::kColSituation] = "とても長い状況の説明がここに入ります";
    struct Case {
        const char* what;
        ui::PrintJob job;
        QString starts;
    };
    const Case cases[] = {
        {"a situation longer than its column", records::listPrintJob(rows),
         QStringLiteral("2003/11/01　　とても")},
        {"a line past the right margin",
         {ui::printX(9000), ui::printText(std::string(200, '8')), ui::printEndDoc()},
         QStringLiteral("8888")},
    };
    for (const Case& c : cases) {
        const auto layout = layOut(c.job, QPageSize::A4);
        const QString fault = printcheck::pageFault(layout);
        QVERIFY2(fault.isEmpty(), qPrintable(fault));
        const auto cut =
            std::find_if(layout.items().begin(), layout.items().end(),
                         [&](const auto& item) { return item.text.startsWith(c.starts); });
        QVERIFY2(cut != layout.items().end(), c.what);
        QVERIFY2(cut->text.endsWith(QChar(0x2026)), qPrintable(cut->text));
    }
}

QTEST_MAIN(PrintLayoutTest)
#include "print_layout_test.moc"
