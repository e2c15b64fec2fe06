#include "loans/ScreenParts.h"

#include "kit/Conventions.h"
#include "kit/DialogScreen.h"
#include "kit/Pictures.h"
#include "kit/Style.h"
#include "kit/TfrmGuida.h"

#include <QBoxLayout>
#include <QFrame>
#include <QLabel>

namespace opusteca::loanui {

CommandPicture *addHeader(QBoxLayout *layout, QWidget *screen, const QString &art, const QString &title,
                          const QString &subtitle)
{
    auto *band = style::panel(QStringLiteral("shpIntestazione"), style::Panel::Paper, screen);
    auto *h = new QHBoxLayout(band);
    h->setContentsMargins(10, 6, 10, 6);
    h->setSpacing(12);
    h->addWidget(artwork::picture(QStringLiteral("imgLogo"), art, QSize(48, 48), band));
    auto *texts = new QVBoxLayout;
    texts->setSpacing(2);
    auto *lblTitolo = new QLabel(title, band);
    lblTitolo->setObjectName(QStringLiteral("lblTitolo"));
    lblTitolo->setFont(style::font(13, true));
    style::setTextColour(lblTitolo, style::colour::title);
    auto *lblSottotitolo = new QLabel(subtitle, band);
    lblSottotitolo->setFont(style::font(9));
    style::setTextColour(lblSottotitolo, style::colour::subtitle);
    texts->addWidget(lblTitolo);
    texts->addWidget(lblSottotitolo);
    h->addLayout(texts, 1);
    auto *cmdGuida = new CommandPicture(QStringLiteral("cmdGuida"), QStringLiteral("guida"), QSize(40, 40), band);
    auto *dialog = qobject_cast<DialogScreen *>(screen);
    QObject::connect(cmdGuida, &CommandPicture::clicked, screen, [dialog] {
        if (dialog) TfrmGuida::openTopic(dialog->app(), dialog, dialog->objectName());
    });
    h->addWidget(cmdGuida);
    layout->addWidget(band);
    return cmdGuida;
}

} // namespace opusteca::loanui
