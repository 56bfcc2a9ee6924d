#include "upload/HeaderFolding.h"

namespace vx::http {
namespace {

QByteArray withoutTrailingSpaces(QByteArray piece)
{
    while (!piece.isEmpty() && (piece.endsWith(' ') || piece.endsWith('\t')))
        piece.chop(1);
    return piece;
}

} // namespace

QList<QByteArray> foldHeaderLine(const QByteArray &line, int maxLength)
{
    QList<QByteArray> pieces;
    QByteArray rest = line;
    QByteArray prefix; // "" for the first piece, " " for continuations
    while (prefix.size() + rest.size() > maxLength) {
        const qsizetype room = maxLength - prefix.size();
        // The last break point (a position after which we may cut) that keeps the piece within room.
        qsizetype cut = -1;
        bool inQuotes = false;
        for (qsizetype i = 0; i < rest.size() && i < room; ++i) {
            const char c = rest[i];
            if (c == '"')
                inQuotes = !inQuotes;
            else if (!inQuotes && (c == ' ' || c == '\t' || c == ','))
                cut = i + 1;
        }
        // Cutting right at the start would leave an empty piece and never end.
        if (cut <= 0 || cut >= rest.size())
            break;
        const QByteArray piece = withoutTrailingSpaces(prefix + rest.left(cut));
        QByteArray next = rest.mid(cut);
        while (next.startsWith(' ') || next.startsWith('\t'))
            next.remove(0, 1);
        if (next.isEmpty()) {
            rest = rest.left(cut);
            break;
        }
        pieces.append(piece);
        rest = next;
        prefix = " ";
    }
    pieces.append(withoutTrailingSpaces(prefix + rest));
    return pieces;
}

} // namespace vx::http
