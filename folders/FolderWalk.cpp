#include "folders/FolderWalk.h"

#include "platform/FileOps.h"

#include <QFile>
#include <QRegularExpression>

#include <dirent.h>
#include <sys/stat.h>

namespace vx {
namespace {

bool isMatchAll(const QString &mask)
{
    return mask.isEmpty() || mask == QLatin1String("*.*") || mask == QLatin1String("*");
}

class Walker {
public:
    Walker(const QString &mask, const QStringList &endings, QStringList &target, const WalkHooks &hooks)
        : matchAll_(isMatchAll(mask)), endings_(endings), target_(target), hooks_(hooks)
    {
        if (!matchAll_)
            pattern_ = QRegularExpression(QRegularExpression::wildcardToRegularExpression(
                                              mask, QRegularExpression::UnanchoredWildcardConversion),
                                          QRegularExpression::CaseInsensitiveOption);
    }

    // A level ends at the first entry whose beforeEntry hook says stop. The hook keeps saying so, so
    // every enclosing level ends at its own next entry: the walk stops within one entry per level.
    void walk(const QString &folder)
    {
        const QString prefix = files::joinPath(folder, QString());
        const QByteArray encoded = QFile::encodeName(prefix);
        DIR *dir = ::opendir(encoded.constData());
        if (!dir)
            return;
        while (const dirent *entry = ::readdir(dir)) {
            if (hooks_.beforeEntry && !hooks_.beforeEntry())
                break;
            const char *raw = entry->d_name;
            if (raw[0] == '.' && (raw[1] == 0 || (raw[1] == '.' && raw[2] == 0)))
                continue;
            const QString name = QFile::decodeName(raw);
            if (matchAll_ || pattern_.match(name).hasMatch()) {
                if (isRealFolder(encoded, entry))
                    walk(prefix + name);
                if (endings_.contains(lowerExtension(name)))
                    target_.append(prefix + name);
            }
            if (hooks_.afterEntry)
                hooks_.afterEntry(target_);
        }
        ::closedir(dir);
    }

private:
    // A folder that the walk enters: never a symbolic link, whatever it points at.
    static bool isRealFolder(const QByteArray &prefix, const dirent *entry)
    {
        if (entry->d_type == DT_DIR)
            return true;
        if (entry->d_type != DT_UNKNOWN)
            return false;
        struct stat st {};
        const QByteArray path = prefix + entry->d_name;
        return ::lstat(path.constData(), &st) == 0 && S_ISDIR(st.st_mode);
    }

    bool matchAll_;
    QRegularExpression pattern_;
    const QStringList &endings_;
    QStringList &target_;
    const WalkHooks &hooks_;
};

} // namespace

QString lowerExtension(const QString &name)
{
    const qsizetype dot = name.lastIndexOf(QLatin1Char('.'));
    return dot < 0 ? QString() : name.mid(dot).toLower();
}

const QStringList &photoEndings()
{
    static const QStringList endings{QStringLiteral(".jpg"), QStringLiteral(".jpeg")};
    return endings;
}

void walkFolder(const QString &folder, const QString &mask, const QStringList &endings, QStringList &target,
                const WalkHooks &hooks)
{
    Walker(mask, endings, target, hooks).walk(folder);
}

void CollectUploadFiles(const QString &folder, const QString &mask, QStringList &target)
{
    walkFolder(folder, mask, photoEndings(), target);
}

} // namespace vx
