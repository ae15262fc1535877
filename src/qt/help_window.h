// The program's own help: a window showing the bundled HTML pages, opened at
// the table of contents or at one panel's page, and closed when the program
// ends.
#pragma once

#include <QPointer>
#include <QTextBrowser>
#include <QWidget>

#include "qt/qt_services.h"

namespace qtgui {

// A browser for the bundled pages that draws their SVG pictures at the size
// of icons.
class HelpBrowser : public QTextBrowser {
  public:
    using QTextBrowser::QTextBrowser;
    QVariant loadResource(int type, const QUrl& name) override;
};

class HelpWindow : public QWidget {
  public:
    explicit HelpWindow(QWidget* owner);
    void showStartPage();
    // The page resources/help/NAME.html.
    void showPage(const QString& name);
    HelpBrowser* browser() const { return browser_; }

  private:
    HelpBrowser* browser_;
};

class QtHelpViewer : public ui::HelpViewer, public UsesView {
  public:
    ~QtHelpViewer() override;
    void openStartPage() override;
    void openPage(std::string_view name) override;
    void closeAll() override;
    // The open help window, or nullptr.
    HelpWindow* window() const { return window_; }

  private:
    // The help window, made when missing, shown and raised.
    HelpWindow& shownWindow();

    QPointer<HelpWindow> window_;
};

}  // namespace qtgui
