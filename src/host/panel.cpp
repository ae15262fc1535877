#include "host/panel.h"

namespace host {

Panel::Panel(PanelHost& host, const PanelInfo& info)
    : host_(host),
      info_(info),
      frame(host.windowForm(), std::string(info.frame), nullptr, std::string(info.caption)) {}

std::shared_ptr<const core::LogRecords> readLog(PanelHost& host) {
    auto log = core::sharedLogRecords(host.dataDir());
    if (!host.readable(log->status)) return nullptr;
    return log;
}

std::shared_ptr<const core::LogRecords> Panel::readLog() {
    return host::readLog(host_);
}

std::shared_ptr<const std::vector<core::WeightRecord>> Panel::readRecords() {
    auto log = readLog();
    if (!log) return nullptr;
    return {log, &log->records};
}

void Panel::printReport(const ui::PrintJob& job, const ui::Chart& chart) {
    ui::Printer& printer = host_.services().printer;
    for (const ui::PrintOp& op : job) {
        switch (op.kind) {
            case ui::PrintOp::Kind::X:
                printer.setX(op.twips);
                break;
            case ui::PrintOp::Kind::Y:
                printer.setY(op.twips);
                break;
            case ui::PrintOp::Kind::Print:
                printer.print(op.text);
                break;
            case ui::PrintOp::Kind::Zone:
                printer.zone();
                break;
            case ui::PrintOp::Kind::NewLine:
                printer.newLine();
                break;
            case ui::PrintOp::Kind::Picture:
                printer.picture(chart, ui::pictureBox(job, static_cast<size_t>(&op - job.data())));
                break;
            case ui::PrintOp::Kind::EndDoc:
                printer.endDoc();
                break;
        }
    }
    if (printer.lastJob() == ui::Printer::Outcome::Failed)
        host_.services().dialogs.message(
            "印刷できませんでした。\r\nプリンターの準備ができているか確かめてください。",
            "印刷エラー", ui::Icon::Exclamation);
    const std::string font = printer.unlistedFont();
    if (printer.lastJob() == ui::Printer::Outcome::Printed && !font.empty())
        host_.services().dialogs.message(ui::printFontNote(font), "印刷", ui::Icon::Information);
}

}  // namespace host
