#pragma once
// The forum post text made from the image host's reply: the lines that carry BBCode image links, run
// together into one line inside a spoiler block.

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace vx {

inline const QString kSpoilerOpening = QStringLiteral("[spoiler=\"Примеры на ImageVenue\"]");
inline const QString kSpoilerClosing = QStringLiteral("[/spoiler]");

// The reply's bytes as text: UTF-8 when they are well-formed UTF-8, else the Cyrillic ANSI code page.
// Anything after a NUL byte is dropped, as a C string would end there.
QString replyText(const QByteArray &reply);

// Three lines (opening, all link lines in one, closing), or two when the reply held no link line.
QStringList BuildPostText(const QString &reply);

// Whether the post text holds at least one image link: only then are the uploaded photos deleted.
bool PostTextHasLink(const QStringList &postText);

} // namespace vx
