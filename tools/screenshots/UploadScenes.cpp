// The upload window over a folder of examples, with the post text built from a host's reply.
#include "tools/screenshots/Scenes.h"

#include "upload/PostText.h"

#include <QPlainTextEdit>
#include <QTimer>

namespace {

void upload(vxshots::Stage &stage)
{
    auto &form = stage.windows.Form1;
    form.view().fd2.path = stage.sampleRelease + QStringLiteral("/Set_02 Beach");
    QByteArray reply = "<html><body><textarea>\n";
    for (int i = 1; i <= 4; ++i)
        reply += QStringLiteral(" [URL=http://img%1.imagevenue.example/view.php?image=IMG_%1.jpg][IMG]http://"
                                "img%1.imagevenue.example/th_IMG_%1.jpg[/IMG][/URL]\n")
                     .arg(i)
                     .toUtf8();
    reply += "</textarea></body></html>\n";
    QTimer::singleShot(200, [&stage, reply] {
        TUploadForm &window = stage.windows.UploadForm;
        stage.save(&window, QStringLiteral("upload-window"));
        window.Memo1->setPlainText(vx::BuildPostText(vx::replyText(reply)).join(QLatin1Char('\n')));
        stage.save(&window, QStringLiteral("upload-window-post-text"));
        window.close();
    });
    form.UploadButton2Click();
}

const vxshots::SceneRegistration r1("upload", &upload);

} // namespace
