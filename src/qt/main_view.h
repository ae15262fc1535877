// The main window: the column of side buttons at the left and, beside it, the
// nine panels on top of one another, each shown exactly while its Frame
// model is visible. Everything it shows is drawn from frmMain's controls.
#pragma once

#include <QWidget>
#include <string>

#include "app/frm_main.h"
#include "qt/binder.h"

namespace qtgui {

class MainView : public QWidget {
    Q_OBJECT

  public:
    explicit MainView(app::frmMain& window, QWidget* parent = nullptr);

    // Brings every widget and the title up to date with the models.
    void syncAll();
    // Closes the window for good: the program is ending.
    void closeForQuit();
    // Whether the program is ending: closeForQuit has been called.
    bool quitting() const { return quitting_; }

    // The widget that shows a control, or nullptr.
    QWidget* widgetFor(const ui::Control& control) const;
    Binder& binder() { return binder_; }

  protected:
    // Closing the window ends the program as the 終了 button does.
    void closeEvent(QCloseEvent* event) override;

  private:
    // The size asked for, no larger than the screen leaves for the window,
    // no smaller than its minimum.
    QSize fittingSize(QSize wanted) const;
    QWidget* buildSideColumn();
    QWidget* buildPanelArea();

    app::frmMain& window_;
    Binder binder_;
    std::string drawnTitle_;
    bool quitting_ = false;
};

}  // namespace qtgui
