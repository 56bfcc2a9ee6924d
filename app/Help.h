#pragma once
// The help window: the program's description and an about page naming the author and the forum.

#include <QWidget>

class QLabel;
class QPlainTextEdit;
class QTabWidget;

namespace vx {

class Desktop;

class Thelpform : public QWidget {
    Q_OBJECT
public:
    explicit Thelpform(Desktop &desktop, QWidget *parent = nullptr);

    // Centres the window on the screen and shows it (not modal).
    void showCentred();

    // The description, one paragraph per element; an empty line stands between paragraphs.
    static QStringList descriptionParagraphs();

    QTabWidget *tb1 = nullptr;
    QPlainTextEdit *memo1 = nullptr;
    QLabel *Image1 = nullptr, *Label1 = nullptr, *Label2 = nullptr, *Label3 = nullptr, *Label4 = nullptr,
           *Label5 = nullptr;

    void Label4Click();
    void Label5Click();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    Desktop &desktop_;
};

} // namespace vx
