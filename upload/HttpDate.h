#pragma once
// Dates in cookie EXPIRES attributes, as the servers of the field write them: RFC 1123
// ("Sun, 06 Nov 1994 08:49:37 GMT"), RFC 850 and the old Netscape form ("Sunday, 06-Nov-94 08:49:37 GMT"),
// and asctime ("Sun Nov  6 08:49:37 1994").

#include <QByteArray>
#include <QDateTime>

namespace vx::http {

// The instant in UTC, or an invalid QDateTime when the text is none of the forms.
QDateTime parseHttpDate(const QByteArray &text);

} // namespace vx::http
