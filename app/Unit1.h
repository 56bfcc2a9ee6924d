#pragma once
// The main window Form1: two pages (photo sets in folders, photo sets in archives) over a tab strip,
// the busy panel with the abort button, the hidden shortcut menu and the tool-menu buttons. The window
// builds the controls and hands them to the page runs through its Form1View; its handlers stay thin.

#include "archive/ZipReader.h"
#include "platform/Form1View.h"
#include "platform/WindowDesktop.h"

#include <QWidget>

#include <functional>

class QAction;
class QCloseEvent;
class QKeyEvent;
class QMenu;

namespace vx {
class Thelpform;
namespace reports {
class TResultForm;
}
} // namespace vx

class TForm1 : public QWidget {
    Q_OBJECT
public:
    explicit TForm1(vx::Desktop &desktop, QWidget *parent = nullptr);
    ~TForm1() override;

private:
    // Declared first: the archive reader below talks to the user through it.
    vx::WindowDesktop desktop_;

public:
    vx::Form1View &view() { return view_; }
    // The one archive reader; the archive page's runs use it one archive at a time.
    vx::zip::ZipReader ZipReader1;
    // What the window's operations talk to the user through; silent once the window is closed.
    vx::Desktop &desktop() { return desktop_; }

    // The other windows, created after this one at start-up.
    void setHelpForm(vx::Thelpform *help) { helpform_ = help; }
    void setResultForm(vx::reports::TResultForm *results) { resultForm_ = results; }
    void setUploadForm(QWidget *upload) { uploadForm_ = upload; }

    QAction *SelecTall1 = nullptr;
    QAction *About1 = nullptr;
    QMenu *controls1 = nullptr;
    QAction *N1 = nullptr, *N2 = nullptr, *N3 = nullptr;

public slots:
    void Button1Click();
    void Button4Click();
    void Button3Click();
    void Button5Click();
    void Button10Click();
    void Button9Click();
    void Button2Click();
    void SpeedButton2Click();
    void Button6Click();
    void SpeedButton3Click();
    void Button7Click();
    void Button8Click();
    void Button11Click();
    void Button12Click();
    void N1Click();
    void N2Click();
    void N3Click();
    void SpeedButton1Click();
    void Edit1Change();
    void Edit2Change();
    void TabSet1Click();
    void SelecTall1Click();
    void About1Click();
    void Image3Click();
    void UploadButton2Click();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    void buildPage(int page);
    void buildBusyPanel();
    void buildMenus();
    void countEditChanged(QLineEdit *edit, QPushButton *createButton);
    void popUpToolMenu(QPushButton *button, QMenu *menu);
    // startedBy: the control the focus returns to, when it is not the one that has the focus (the tool
    // button behind a menu item).
    void run(const std::function<void()> &handler, QWidget *startedBy = nullptr) { view_.guarded(handler, startedBy); }
    void setTabOrderOfPage(int page);
    bool isWindowShortcut(const QKeyEvent *key) const;

    vx::Form1View view_;
    QStackedWidget *Notebook1 = nullptr;
    vx::Thelpform *helpform_ = nullptr;
    vx::reports::TResultForm *resultForm_ = nullptr;
    QWidget *uploadForm_ = nullptr;
};
