#include "platform/CodePage.h"

#include "platform/os/CodePage.h"

namespace vx::codepage {
namespace {

std::string_view view(const QByteArray &bytes) { return {bytes.constData(), std::size_t(bytes.size())}; }
QByteArray bytes(const std::string &s) { return QByteArray(s.data(), qsizetype(s.size())); }
QString text(const std::string &utf8) { return QString::fromUtf8(utf8.data(), qsizetype(utf8.size())); }

} // namespace

QByteArray oemToAnsi(const QByteArray &oem) { return bytes(os::oemToAnsi(view(oem))); }

QString fromAnsi(const QByteArray &ansi) { return text(os::decodeCodePage(os::CodePage::Ansi1251, view(ansi))); }

QString fromOem(const QByteArray &oem) { return text(os::decodeCodePage(os::CodePage::Oem866, view(oem))); }

QByteArray toAnsi(const QString &text) { return bytes(os::encodeCodePage(os::CodePage::Ansi1251, view(text.toUtf8()))); }

bool isValidUtf8(const QByteArray &bytes) { return os::isValidUtf8(view(bytes)); }

} // namespace vx::codepage
