#include "qt/program.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QSessionManager>
#include <QSocketNotifier>
#include <QTranslator>
#include <iostream>

#include "core/platform.h"
#include "qt/command_line.h"
#include "qt/theme.h"

// The resources are compiled into a static library: this pulls them in.
static void initBundledResources() {
    Q_INIT_RESOURCE(yaserunba);
}

namespace qtgui {

Program::Program(const std::filesystem::path& dataDir, bool silent, std::optional<core::Date> today,
                 ui::Dialogs* answers) {
    clock_.setToday(today);
    shell_.setSplashWait(!silent);  // a snapshot does not wait for the splash
    if (!silent) shell_.setDataFolder(dataDir);
    ui::Dialogs& dialogs = answers  ? *answers
                           : silent ? static_cast<ui::Dialogs&>(silentDialogs_)
                                    : dialogs_;
    ui::Services services{dialogs, clock_, printer_, clipboard_, help_, shell_};
    window_ = std::make_unique<app::frmMain>(core::DataDir(dataDir), services);
    view_ = std::make_unique<MainView>(*window_);
    for (UsesView* user :
         std::initializer_list<UsesView*>{&dialogs_, &printer_, &clipboard_, &help_, &shell_})
        user->setView(view_.get());
}

Program::~Program() {
    help_.closeAll();
    view_.reset();
}

void Program::start() {
    window_->Form_Load();
    view_->syncAll();
}

namespace {

// Draws what the models hold and saves a picture of the window.
bool saveSnapshot(MainView& view, const std::filesystem::path& file) {
    view.syncAll();
    QCoreApplication::sendPostedEvents();
    QCoreApplication::processEvents();
    // Without a real pointer Qt takes it to rest at the window's corner,
    // over the first side button: no button is drawn as hovered.
    for (QWidget* widget : view.findChildren<QWidget*>())
        widget->setAttribute(Qt::WA_UnderMouse, false);
    QString name = QString::fromStdString(file.string());
    if (view.grab().save(name)) return true;
    std::cerr << "保存できませんでした: " << name.toStdString() << "\n";
    return false;
}

}  // namespace

bool Program::saveSnapshots(const std::filesystem::path& folder) {
    bool ok = true;
    // Each panel opened as its side button opens it, filled from the files,
    // then each view inside it.
    for (const auto& entry : window_->panels()) {
        entry.button->click();
        ok = saveSnapshot(*view_, folder / (entry.panel->frame.name() + ".png")) && ok;
        for (const host::Panel::SubView& sub : entry.panel->subViews()) {
            sub.open();
            ok = saveSnapshot(*view_, folder / (sub.name + ".png")) && ok;
            sub.close();
        }
    }
    return ok;
}

void setUpApplication(QApplication& app) {
    initBundledResources();
    QApplication::setApplicationName(QStringLiteral("yaserunba"));
    QApplication::setApplicationDisplayName(QStringLiteral("ヤセルンバ"));
    QApplication::setQuitOnLastWindowClosed(false);
    auto* translator = new QTranslator(&app);
    if (translator->load(QLocale(QLocale::Japanese, QLocale::Japan), QStringLiteral("qtbase"),
                         QStringLiteral("_"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(translator);
    theme::apply(app);
}

int run(QApplication& app, const CommandLine& line) {
    std::string error;
    auto dataDir = resolveDataDir(line, error);
    if (!dataDir) {
        std::cerr << error << "\n";
        return 2;
    }
    setUpApplication(app);
    if (!line.snapshotDir.empty()) {
        Program program(*dataDir, true, line.today);
        std::error_code ec;
        std::filesystem::create_directories(line.snapshotDir, ec);
        program.start();
        return !program.ended() && program.saveSnapshots(line.snapshotDir) ? 0 : 1;
    }
    return runWindow(app, *dataDir, line.today);
}

namespace {

// A request to end from outside (a logout, a `kill`, Ctrl+C) ends the
// program as closing its window does: after the handler that runs, and so
// after any save it makes, then the data folder let go as the program goes.
std::unique_ptr<QSocketNotifier> endOnRequest(Program& program) {
    const int pipe = core::platform::watchEndRequests();
    if (pipe < 0) return nullptr;
    auto notifier = std::make_unique<QSocketNotifier>(pipe, QSocketNotifier::Read);
    QObject::connect(notifier.get(), &QSocketNotifier::activated, [&program] {
        if (core::platform::takeEndRequest() != 0 && !program.ended()) program.view().close();
    });
    return notifier;
}

}  // namespace

int runWindow(QApplication& app, const std::filesystem::path& dataDir,
              std::optional<core::Date> today, ui::Dialogs* answers,
              const std::function<void(Program&)>& started) {
    // A program of this computer that holds the folder shows its window.
    if (askToShowWindow(dataDir)) return 0;
    // A new start ends the window; the program then runs again on the new diet.
    while (true) {
        Program program(dataDir, false, today, answers);
        // The end of the session (a logout, a shutdown): the program ends at
        // once, the data folder let go before the system stops the process.
        QObject::connect(&app, &QGuiApplication::commitDataRequest, &program.view(),
                         [&program](QSessionManager&) { program.window().endSession(); });
        const auto requests = endOnRequest(program);
        program.start();
        if (started) started(program);
        int code = program.ended() ? 0 : app.exec();
        if (!program.startsAgain()) return code;
    }
}

}  // namespace qtgui
