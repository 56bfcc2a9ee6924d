#pragma once
// Answers a modal window from inside its own event loop: once the dialog is on screen, runs the checks
// and then closes it the way the user would (the window's close button), so exec() returns.

#include <QDialog>
#include <QTimer>

#include <functional>

namespace vx::test {

class WhileModal {
public:
    WhileModal(QDialog &dialog, std::function<void()> inspect) : dialog_(dialog), inspect_(std::move(inspect))
    {
        timer_.setInterval(5);
        QObject::connect(&timer_, &QTimer::timeout, [this] { poll(); });
        timer_.start();
    }
    ~WhileModal() { timer_.stop(); }

    int opened() const { return opened_; } // how often the dialog was found open and closed

private:
    void poll()
    {
        if (!dialog_.isVisible())
            return;
        ++opened_;
        if (inspect_)
            inspect_();
        dialog_.close();
    }

    QDialog &dialog_;
    std::function<void()> inspect_;
    QTimer timer_;
    int opened_ = 0;
};

} // namespace vx::test
