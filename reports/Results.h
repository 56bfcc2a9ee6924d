#pragma once
// The results window: a read-only text of one set name per line, its line count, and a button that copies
// the text to the clipboard. Created once at start-up, shown modally for each list, emptied on close.

#include <QDialog>
#include <QStringList>

class QFrame;
class QLabel;
class QPlainTextEdit;
class QPushButton;

namespace vx {
class Desktop;
}

namespace vx::reports {

class TResultForm : public QDialog {
    Q_OBJECT
public:
    explicit TResultForm(vx::Desktop &desktop, QWidget *parent = nullptr);

    // Replaces the text with the list, centres the window on the screen and shows it modally; returns
    // when the user closes it (the text is empty again by then).
    void showList(const QStringList &lines);

    // The window's own controls, by their layout names.
    QFrame *Panel1 = nullptr;
    QPushButton *Button1 = nullptr;
    QPlainTextEdit *Memo1 = nullptr;
    QLabel *Label1 = nullptr;

public slots:
    void Button1Click();
    void done(int result) override;

protected:
    void showEvent(QShowEvent *event) override;

private:
    void FormShow();
    void FormClose();
    void centreOnScreen();

    vx::Desktop &desktop_;
};

} // namespace vx::reports
