#include "tests/support/ReleaseTree.h"

#include "tests/support/JpegFixtures.h"

#include <QProcess>

#include <algorithm>

namespace vx::test {

ReleaseTree::ReleaseTree()
{
    // "Сет 1", "Фото 1.jpg", "Фото 2.JPG" and "Битое.jpg" in 1251; "Сет 2" and "Фото.jpeg" in 866.
    const QByteArray set1 = "release/\xD1\xE5\xF2 1";
    const QByteArray set2 = "release/\x91\xA5\xE2 2";
    const QByteArray shared = "outside/\xCE\xE1\xF9\xE8\xE9"; // "Общий"
    const auto photo = [this](const QByteArray &relative, int width, int height) {
        photos_.push_back(tree_.nativeFile(relative, makeJpeg(width, height)));
    };
    photo(set1 + "/\xD4\xEE\xF2\xEE 1.jpg", 100, 50); // the smallest
    photo(set1 + "/\xD4\xEE\xF2\xEE 2.JPG", 480, 640);
    photo(set1 + "/plain.jpg", 320, 240);
    photo(set2 + "/\x94\xAE\xE2\xAE.jpeg", 1600, 1200); // the largest
    photo("release/x.jpg/inside.jpg", 200, 100);
    tree_.nativeFile(shared + "/shared.jpg", makeJpeg(300, 200));
    broken_ = tree_.nativeFile(set1 + "/\xC1\xE8\xF2\xEE\xE5.jpg", QByteArray("no jpeg here"));
    photos_.push_back(broken_);
    std::error_code error;
    std::filesystem::create_directory_symlink(tree_.native(shared), tree_.native("release/linked"), error);
    photos_.push_back(tree_.native("release/linked/shared.jpg"));
    std::filesystem::create_directory_symlink("..", tree_.native(set1 + "/loop"), error);
}

QList<QByteArray> findPhotos(const QString &folder)
{
    QProcess find;
    find.start(QStringLiteral("find"), {QStringLiteral("-L"), folder, QStringLiteral("("), QStringLiteral("-iname"),
                                        QStringLiteral("*.jpg"), QStringLiteral("-o"), QStringLiteral("-iname"),
                                        QStringLiteral("*.jpeg"), QStringLiteral(")")});
    find.waitForFinished(60000);
    QList<QByteArray> lines = find.readAllStandardOutput().split('\n');
    lines.removeAll(QByteArray());
    std::sort(lines.begin(), lines.end());
    return lines;
}

} // namespace vx::test
