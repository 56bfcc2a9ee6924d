#pragma once
// Failures travel as exceptions that carry the text shown to the user.

#include <QString>

#include <stdexcept>

namespace vx {

class Error : public std::runtime_error {
public:
    explicit Error(const QString &message) : std::runtime_error(message.toStdString()), message_(message) {}
    const QString &message() const { return message_; }

private:
    QString message_;
};

} // namespace vx
